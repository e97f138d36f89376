// The HttpClient port on Qt Network. Each request runs on the event loop (a nested loop until it
// ends), so windows keep drawing while a request is under way.
#pragma once

#include <QNetworkAccessManager>
#include <memory>

#include "common/ports.h"

class QNetworkReply;
class QSaveFile;

namespace vessaro {

inline constexpr int kDefaultHttpTimeoutMs = 300000;

class QtHttpClient : public HttpClient {
 public:
  // timeout_ms: how long a request may go without any data moving before it is given up.
  explicit QtHttpClient(int timeout_ms = kDefaultHttpTimeoutMs);
  ~QtHttpClient() override;

  // status: the HTTP status when the server answered, otherwise the QNetworkReply::NetworkError
  // number (a certificate that cannot be verified is such an error).
  HttpResponse Post(const std::string& url, const std::vector<std::pair<std::string, std::string>>& headers,
                    const std::string& body) override;
  // Writes the body to a temporary file beside file and renames it over file only when the whole
  // body arrived with status 200; otherwise file stays as it was. status 200 means done.
  HttpResponse Download(const std::string& url, const std::string& file) override;

 private:
  QNetworkAccessManager& Manager();
  HttpResponse Finish(QNetworkReply* reply, QSaveFile* sink);

  int timeout_ms_;
  std::unique_ptr<QNetworkAccessManager> manager_;
};

}  // namespace vessaro
