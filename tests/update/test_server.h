// A small HTTP server on 127.0.0.1 that plays the maker's side of the update protocol: the list
// endpoint, update_files, update and popup. It runs on the test's own event loop (the client's
// waits serve it), answers a bounded number of requests and then stops listening by itself.
#pragma once

#include <QObject>
#include <QTcpServer>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QTcpSocket;

namespace vessaro::testing {

struct ServedRequest {
  std::string method;
  std::string target;  // as sent: "/update_files/baccarat/image/a+b.gif?20240105123000123"
  std::string path;    // decoded, without the query: "/update_files/baccarat/image/a b.gif"
  std::string query;
  std::vector<std::pair<std::string, std::string>> headers;  // names in lower case, in order
  std::string body;
  std::string form;  // the list request's form text (hexadecimal and code page 932 undone)

  std::string Header(const std::string& lower_name) const;  // the last one of that name
  int HeaderCount(const std::string& lower_name) const;
};

enum class ReplyKind {
  kNormal,   // the whole answer, then the connection closes
  kCutBody,  // promises more than it sends, then closes mid-body
  kSilent,   // reads the request and never answers
};

struct Reply {
  int status = 200;
  std::string body;
  ReplyKind kind = ReplyKind::kNormal;
};

class TestUpdateServer : public QObject {
 public:
  // tls: serve https with the self-signed certificate of tests/data/update.
  explicit TestUpdateServer(int max_requests = 200, bool tls = false, int port = 0);
  ~TestUpdateServer() override;

  std::string root() const;  // "http://127.0.0.1:<port>" or "https://..."
  int port() const;

  // A file of update_files/<app>/<path>, listed by the list endpoint with its stamp and flag.
  void AddUpdateFile(const std::string& app, const std::string& path, const std::string& bytes,
                     const std::string& stamp, const std::string& flag = "F");
  // Any other answer by decoded path ("/popup/popuplist.txt", "/update/baccarat/update.zip").
  void SetReply(const std::string& path, Reply reply);
  // Answers of the list endpoint, in order; the last one repeats. Without any, the list is made
  // from the update files (only those of the requested file name when one is given).
  void QueueListReply(Reply reply);

  // Serves a folder laid out as a maker hosts the updates (docs/updates.md): update_files/<app>/...
  // (listed with each file's modification time), update/<app>/update.zip and popup/.
  void ServeFolder(const std::string& folder);
  // Every request of the budget has been answered.
  bool Exhausted() const { return static_cast<int>(requests_.size()) >= max_requests_ && pending_.empty(); }

  const std::vector<ServedRequest>& requests() const { return requests_; }
  std::vector<ServedRequest> RequestsTo(const std::string& path_prefix) const;

 private:
  struct Pending {
    std::string data;
  };
  struct Listed {
    std::string app;
    std::string path;
    std::string stamp;
    std::string flag;
  };
  void Accept();
  void Read(QTcpSocket* socket);
  Reply Answer(const ServedRequest& request);
  Reply ListAnswer(const ServedRequest& request);

  std::unique_ptr<QTcpServer> server_;
  int max_requests_;
  bool tls_;
  std::map<QTcpSocket*, Pending> pending_;
  std::map<std::string, Reply> replies_;
  std::vector<Listed> listed_;
  std::deque<Reply> list_replies_;
  std::vector<ServedRequest> requests_;
};

// The certificate the https server shows (for tests that trust it).
std::string TestCertificatePem();

}  // namespace vessaro::testing
