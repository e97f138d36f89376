#include "update/qt_http_client.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

namespace vessaro {
namespace {

// A list answer far beyond any real installation is refused rather than held in memory.
constexpr qint64 kMaxBodyBytes = 64ll * 1024 * 1024;

QNetworkRequest MakeRequest(const std::string& url) {
  QNetworkRequest request(QUrl::fromEncoded(QByteArray::fromStdString(url)));
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
  // The program sends no user-agent name of its own. Qt fills in a name of its own when the
  // field is empty, so the field holds a blank, which an HTTP server reads as empty.
  request.setRawHeader("User-Agent", " ");
  return request;
}

// Errors that come with an HTTP status of the server (4xx, 5xx): the status tells more.
bool IsHttpLevelError(QNetworkReply::NetworkError error) {
  const int e = static_cast<int>(error);
  return (e >= 201 && e <= 299) || (e >= 401 && e <= 499);
}

}  // namespace

QtHttpClient::QtHttpClient(int timeout_ms) : timeout_ms_(timeout_ms) {}

QtHttpClient::~QtHttpClient() = default;

QNetworkAccessManager& QtHttpClient::Manager() {
  if (!manager_) {
    manager_ = std::make_unique<QNetworkAccessManager>();
    manager_->setProxy(QNetworkProxy::NoProxy);  // always direct
  }
  return *manager_;
}

HttpResponse QtHttpClient::Post(const std::string& url,
                                const std::vector<std::pair<std::string, std::string>>& headers,
                                const std::string& body) {
  QNetworkRequest request = MakeRequest(url);
  // A later line replaces an earlier one of the same name.
  for (const auto& [name, value] : headers)
    request.setRawHeader(QByteArray::fromStdString(name), QByteArray::fromStdString(value));
  QNetworkReply* reply = Manager().post(request, QByteArray::fromStdString(body));
  return Finish(reply, nullptr);
}

HttpResponse QtHttpClient::Download(const std::string& url, const std::string& file) {
  QSaveFile sink(QString::fromStdString(file));
  if (!sink.open(QIODevice::WriteOnly)) return HttpResponse{0, "", "cannot write " + file};
  QNetworkReply* reply = Manager().get(MakeRequest(url));
  HttpResponse response = Finish(reply, &sink);
  if (response.status != 200) {
    sink.cancelWriting();
    return response;
  }
  if (!sink.commit()) return HttpResponse{0, "", "cannot write " + file};
  return response;
}

HttpResponse QtHttpClient::Finish(QNetworkReply* reply, QSaveFile* sink) {
  std::unique_ptr<QNetworkReply, void (*)(QNetworkReply*)> owner(reply, [](QNetworkReply* r) { r->deleteLater(); });
  QEventLoop loop;
  QTimer idle;
  idle.setSingleShot(true);
  idle.setInterval(timeout_ms_);
  bool timed_out = false;
  bool too_large = false;
  bool write_failed = false;
  QByteArray body;

  auto take = [&] {
    const QByteArray chunk = reply->readAll();
    if (chunk.isEmpty()) return;
    if (sink != nullptr) {
      write_failed |= sink->write(chunk) != chunk.size();
    } else if (body.size() + chunk.size() > kMaxBodyBytes) {
      too_large = true;
    } else {
      body.append(chunk);
    }
    if (write_failed || too_large) reply->abort();
  };
  QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
    idle.start();
    take();
  });
  QObject::connect(reply, &QNetworkReply::uploadProgress, &loop, [&] { idle.start(); });
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  QObject::connect(&idle, &QTimer::timeout, &loop, [&] {
    timed_out = true;
    reply->abort();
  });
  idle.start();
  if (!reply->isFinished()) loop.exec();
  idle.stop();
  if (!timed_out && !too_large && !write_failed) take();

  HttpResponse response;
  const QNetworkReply::NetworkError error = reply->error();
  const QVariant code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if (timed_out) {
    response.status = QNetworkReply::TimeoutError;
    response.error = "timed out";
  } else if (write_failed) {
    response.status = 0;
    response.error = "cannot write the downloaded file";
  } else if (too_large) {
    response.status = QNetworkReply::UnknownNetworkError;
    response.error = "answer too large";
  } else if (error != QNetworkReply::NoError && !IsHttpLevelError(error)) {
    response.status = static_cast<int>(error);
    response.error = reply->errorString().toStdString();
  } else if (code.isValid()) {
    response.status = code.toInt();
    if (error != QNetworkReply::NoError) response.error = reply->errorString().toStdString();
  } else {
    response.status = 0;  // no readable status
  }
  response.body = body.toStdString();
  return response;
}

}  // namespace vessaro
