// Writing the files the build puts into the program folder. Every file is written whole or not at
// all, so an interrupted or failed build never leaves a torn picture or manual behind.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vessaro::tools {

// Creates the folder and its missing parents. False, with a message on stderr, on failure.
bool EnsureOutputFolder(const QString& folder);

// Replaces the file with exactly these bytes through a temporary file renamed over it. False, with
// a message on stderr, when the file cannot be written.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Encodes the image as a BMP file and writes it as WriteFileAtomically does.
bool SaveBmp(const QImage& image, const QString& path);

}  // namespace vessaro::tools
