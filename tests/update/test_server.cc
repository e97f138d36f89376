#include "update/test_server.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpSocket>
#include <sys/stat.h>

#include <ctime>

#include "common/files.h"
#include "common/format.h"
#include "common/hex.h"
#include "common/text.h"

namespace vessaro::testing {
namespace {

std::string ReadFixture(const char* name) {
  QFile f(QString::fromUtf8(VESSARO_TEST_DATA) + "/update/" + name);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll().toStdString();
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// What a web server makes of the path: "%xx" to bytes, "+" to a blank.
std::string DecodePath(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      out.push_back(' ');
    } else if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

const char* Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
  }
}

}  // namespace

std::string ServedRequest::Header(const std::string& lower_name) const {
  std::string value;
  for (const auto& [name, v] : headers)
    if (name == lower_name) value = v;
  return value;
}

int ServedRequest::HeaderCount(const std::string& lower_name) const {
  int n = 0;
  for (const auto& h : headers) n += h.first == lower_name ? 1 : 0;
  return n;
}

std::string TestCertificatePem() { return ReadFixture("test_cert.pem"); }

TestUpdateServer::TestUpdateServer(int max_requests, bool tls, int port) : max_requests_(max_requests), tls_(tls) {
  if (tls) {
    auto ssl = std::make_unique<QSslServer>();
    QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
    conf.setLocalCertificate(QSslCertificate(QByteArray::fromStdString(ReadFixture("test_cert.pem"))));
    conf.setPrivateKey(QSslKey(QByteArray::fromStdString(ReadFixture("test_key.pem")), QSsl::Rsa));
    conf.setPeerVerifyMode(QSslSocket::VerifyNone);
    ssl->setSslConfiguration(conf);
    server_ = std::move(ssl);
  } else {
    server_ = std::make_unique<QTcpServer>();
  }
  server_->listen(QHostAddress::LocalHost, static_cast<quint16>(port));
  QObject::connect(server_.get(), &QTcpServer::pendingConnectionAvailable, this, [this] { Accept(); });
}

TestUpdateServer::~TestUpdateServer() {
  server_->close();
  std::map<QTcpSocket*, Pending> open = std::move(pending_);
  pending_.clear();
  for (auto& [socket, pending] : open) {
    QObject::disconnect(socket, nullptr, this, nullptr);
    socket->abort();
  }
}

std::string TestUpdateServer::root() const {
  return Format("%s://127.0.0.1:%d", tls_ ? "https" : "http", port());
}

int TestUpdateServer::port() const { return server_->serverPort(); }

void TestUpdateServer::AddUpdateFile(const std::string& app, const std::string& path, const std::string& bytes,
                                     const std::string& stamp, const std::string& flag) {
  listed_.push_back(Listed{app, path, stamp, flag});
  replies_["/update_files/" + app + "/" + path] = Reply{200, bytes, ReplyKind::kNormal};
}

void TestUpdateServer::ServeFolder(const std::string& folder) {
  const fs::path root = folder;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    if (!it->is_regular_file()) continue;
    const std::string relative = it->path().lexically_relative(root).generic_string();
    const std::string bytes = ReadWholeFile(it->path());
    std::vector<std::string> parts = SplitFields(relative, 3, "/").fields;
    if (parts[0] == "update_files" && !parts[1].empty() && !parts[2].empty()) {
      struct stat st {};
      ::stat(it->path().c_str(), &st);
      std::tm t{};
      ::localtime_r(&st.st_mtim.tv_sec, &t);
      const std::string stamp = Format("%04d%02d%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                                       t.tm_hour, t.tm_min);
      AddUpdateFile(parts[1], relative.substr(parts[0].size() + parts[1].size() + 2), bytes, stamp);
    } else {
      SetReply("/" + relative, Reply{200, bytes, ReplyKind::kNormal});
    }
  }
}

void TestUpdateServer::SetReply(const std::string& path, Reply reply) { replies_[path] = std::move(reply); }

void TestUpdateServer::QueueListReply(Reply reply) { list_replies_.push_back(std::move(reply)); }

std::vector<ServedRequest> TestUpdateServer::RequestsTo(const std::string& path_prefix) const {
  std::vector<ServedRequest> out;
  for (const ServedRequest& r : requests_)
    if (StartsWith(r.path, path_prefix)) out.push_back(r);
  return out;
}

void TestUpdateServer::Accept() {
  while (QTcpSocket* socket = server_->nextPendingConnection()) {
    pending_[socket] = Pending{};
    QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
    QObject::connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
      pending_.erase(socket);
      socket->deleteLater();
    });
  }
}

void TestUpdateServer::Read(QTcpSocket* socket) {
  auto it = pending_.find(socket);
  if (it == pending_.end()) return;
  std::string& data = it->second.data;
  data += socket->readAll().toStdString();
  const size_t head_end = data.find("\r\n\r\n");
  if (head_end == std::string::npos) return;

  ServedRequest request;
  std::vector<std::string> lines = SplitLines(data.substr(0, head_end));
  if (lines.empty()) return;
  const std::string& first = lines[0];
  const size_t sp1 = first.find(' ');
  const size_t sp2 = first.find(' ', sp1 + 1);
  request.method = first.substr(0, sp1);
  request.target = first.substr(sp1 + 1, sp2 - sp1 - 1);
  size_t length = 0;
  for (size_t i = 1; i < lines.size(); ++i) {
    const size_t colon = lines[i].find(':');
    if (colon == std::string::npos) continue;
    std::string name = Lower(lines[i].substr(0, colon));
    std::string value = Trim(lines[i].substr(colon + 1));
    if (name == "content-length") length = static_cast<size_t>(ToIntDef(value, 0));
    request.headers.emplace_back(std::move(name), std::move(value));
  }
  if (data.size() < head_end + 4 + length) return;  // the body is still coming
  request.body = data.substr(head_end + 4, length);
  const size_t q = request.target.find('?');
  request.path = DecodePath(request.target.substr(0, q));
  request.query = q == std::string::npos ? "" : request.target.substr(q + 1);
  if (auto form = HexDecodeText(request.body)) request.form = *form;
  data.clear();

  requests_.push_back(request);
  if (static_cast<int>(requests_.size()) >= max_requests_) server_->close();
  const Reply reply = Answer(request);
  if (reply.kind == ReplyKind::kSilent) return;
  const size_t promised = reply.body.size() + (reply.kind == ReplyKind::kCutBody ? 100000 : 0);
  std::string out = Format("HTTP/1.1 %d %s\r\nContent-Type: application/octet-stream\r\nContent-Length: %zu\r\n"
                           "Connection: close\r\n\r\n",
                           reply.status, Reason(reply.status), promised);
  out += reply.body;
  socket->write(out.data(), static_cast<qint64>(out.size()));
  if (reply.kind == ReplyKind::kCutBody) {
    socket->flush();
    socket->abort();  // its disconnected signal forgets it
    return;
  }
  socket->disconnectFromHost();
}

Reply TestUpdateServer::Answer(const ServedRequest& request) {
  if (request.path == "/scripts/casinoservercgi") return ListAnswer(request);
  auto it = replies_.find(request.path);
  if (it == replies_.end()) return Reply{404, "not found", ReplyKind::kNormal};
  return it->second;
}

Reply TestUpdateServer::ListAnswer(const ServedRequest& request) {
  if (!list_replies_.empty()) {
    Reply reply = list_replies_.front();
    if (list_replies_.size() > 1) list_replies_.pop_front();
    return reply;
  }
  std::string app;
  std::string file_name;
  for (const std::string& field : SplitFields(request.form, 0, "&").fields) {
    if (StartsWith(field, "app=")) app = field.substr(4);
    if (StartsWith(field, "filename=")) file_name = field.substr(9);
  }
  std::string body = "status=0";
  for (const Listed& f : listed_) {
    if (f.app != app) continue;
    if (!file_name.empty() && !EqualsIgnoreCase(FileNamePart(f.path), file_name)) continue;
    body += "&" + f.path + "," + f.flag + "=" + f.stamp;
  }
  return Reply{200, body, ReplyKind::kNormal};
}

}  // namespace vessaro::testing
