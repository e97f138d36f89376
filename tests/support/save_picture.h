// The screenshot programs' one way to save a window: events handled first so that it is drawn,
// then its grab() as <folder>/<name>.png, the path and size printed. Qt programs only.
#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>
#include <cstdio>

namespace vessaro::testing {

inline void SavePicture(QWidget* w, const QString& folder, const QString& name) {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  const QString file = folder + "/" + name + ".png";
  if (!w->grab().save(file)) std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
  std::printf("%s  %dx%d\n", qPrintable(file), w->width(), w->height());
}

}  // namespace vessaro::testing
