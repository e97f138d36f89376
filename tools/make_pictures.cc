// Build-time generator of the pictures the table needs: the 52 card faces, the card back and the
// chips, written as BMP files into the image folder given on the command line.
//
// Usage: make_pictures <image folder>   (run with QT_QPA_PLATFORM=offscreen)
// Exit status: 0 when every picture was written, 1 when any could not be, 2 on a usage error.

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "asset_output.h"
#include "card_art.h"
#include "chip_art.h"
#include "drawing.h"

namespace vessaro::tools {

namespace {

int WriteAllPictures(const QString& folder) {
  if (!EnsureOutputFolder(folder)) return 1;
  const QDir dir(folder);
  // Every picture is attempted, so one run reports every file that cannot be written.
  bool all_written = true;
  for (Suit suit : kAllSuits) {
    for (int rank = 1; rank <= 13; ++rank) {
      all_written &= SaveBmp(DrawCardFace(suit, rank), dir.filePath(CardName(suit, rank) + ".bmp"));
    }
  }
  all_written &= SaveBmp(DrawCardBack(), dir.filePath("card.bmp"));
  for (const ChipStyle& chip : AllChipStyles()) {
    all_written &= SaveBmp(DrawChip(chip), dir.filePath(QString::fromLatin1(chip.file_name)));
  }
  return all_written ? 0 : 1;
}

}  // namespace

}  // namespace vessaro::tools

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_pictures <image folder>\n");
    return 2;
  }
  if (!vessaro::tools::LetteringFontInstalled()) {
    std::fprintf(stderr,
                 "make_pictures: Noto Sans CJK JP Bold is not installed (fonts-noto-cjk); "
                 "drawing the lettering with a fallback face\n");
  }
  return vessaro::tools::WriteAllPictures(QString::fromLocal8Bit(argv[1]));
}
