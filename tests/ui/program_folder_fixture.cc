#include "program_folder_fixture.h"

#include <QColor>
#include <QImage>

#include "common/hex.h"
#include "engine/cards.h"

namespace vessaro::testing {
namespace {

void Picture(const fs::path& file, int w, int h, QColor colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  image.save(QString::fromStdString(file.string()), "BMP");
}

}  // namespace

fs::path MakeScratchProgramFolder(const fs::path& source, const std::string& name) {
  fs::path dir = fs::temp_directory_path() / name;
  RemoveFolder(dir);
  EnsureFolder(dir / "System");
  fs::copy(source / "image", dir / "image", fs::copy_options::recursive);
  WriteWholeFile(dir / "System/Rules.dat",
                 HexEncodeText("blance=5000&minimum=1&maximum=5000&blancememory=False&sleeptime=100&"
                               "randommode=完全確率モード"));
  return dir;
}

ProgramFolder::ProgramFolder() {
  EnsureFolder(*this / "image");
  for (int i = 0; i < 52; ++i)
    Picture(*this / ("image/" + std::string(CardName(Card{static_cast<uint8_t>(i)})) + ".bmp"), 71, 96, Qt::white);
  Picture(*this / "image/card.bmp", 71, 96, Qt::darkRed);
  for (const char* chip : {"chip0_5", "chip1", "chip5", "chip25", "chip100", "chip250", "chip500", "chip1000",
                           "chip5000"})
    Picture(*this / (std::string("image/") + chip + ".bmp"), 50, 50, Qt::darkGreen);
  WriteRules("blance=1000&minimum=1&maximum=500&blancememory=False&sleeptime=100&randommode=完全確率モード");
  // A quiet table: no announcements (whose pauses would slow every deal) and no music.
  Write("System/Sound.dat", HexEncodeText("volume=5&narration=0&bgm=0"));
}

void ProgramFolder::WriteRules(const std::string& settings_text) {
  Write("System/Rules.dat", HexEncodeText(settings_text));
}

std::string ProgramFolder::RulesText() const {
  return HexDecodeText(ReadWholeFile(*this / "System/Rules.dat")).value_or("");
}

}  // namespace vessaro::testing
