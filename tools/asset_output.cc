#include "asset_output.h"

#include <QBuffer>
#include <QDir>
#include <QSaveFile>
#include <cstdio>

namespace vessaro::tools {

namespace {

void Complain(const QString& what, const QString& path, const QString& reason) {
  std::fprintf(stderr, "%s %s: %s\n", qPrintable(what), qPrintable(QDir::toNativeSeparators(path)),
               qPrintable(reason));
}

}  // namespace

bool EnsureOutputFolder(const QString& folder) {
  if (QDir().mkpath(folder)) return true;
  Complain("cannot create the folder", folder, "mkpath failed");
  return false;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    Complain("cannot write", path, file.errorString());
    return false;
  }
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    Complain("cannot write", path, file.errorString());
    return false;
  }
  return true;
}

bool SaveBmp(const QImage& image, const QString& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (image.isNull() || !image.save(&buffer, "BMP")) {
    Complain("cannot encode", path, "BMP encoding failed");
    return false;
  }
  return WriteFileAtomically(path, bytes);
}

}  // namespace vessaro::tools
