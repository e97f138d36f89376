// Feeds arbitrary bytes to the special pattern reader as betpattern/f_facepattern.txt (the same
// bytes also stand as facepattern/f_facepattern.txt, so a file may name itself as a face list),
// evaluates the side for several histories, and loads the file into the pattern editor's page.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/files.h"
#include "fuzz_support.h"
#include "systems/folders.h"
#include "systems/pattern_editor.h"
#include "systems/special_pattern.h"

namespace {

const vessaro::fs::path& Folder() {
  static const vessaro::fs::path folder = [] {
    std::string pattern = "/tmp/vessaro-fuzz-systems-XXXXXX";
    vessaro::fs::path made(::mkdtemp(pattern.data()));
    vessaro::EnsureFolder(vessaro::FacePatternFolder(made));
    vessaro::WriteTextFile(vessaro::FaceListFilePath(made, "faces"),
                           "PPB のパターンが発生した場合 B にベットする\r\n"
                           "BB のパターンが発生した場合  にベットする\r\n");
    return made;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vessaro;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  EnsureFolder(BetPatternFolder(Folder()));
  const fs::path path = SpecialPatternFilePath(Folder(), "f");
  WriteWholeFile(path, bytes);
  WriteWholeFile(FaceListFilePath(Folder(), "f"), bytes);

  LoadedSpecialPattern pattern;
  pattern.Load(path, Folder());
  const char* records[] = {"", "P,0,0,1,2,0", "B,3,1,7,2,9", ",0,0,0,0,4", "X,0,0,5,5,0"};
  const std::string histories[] = {
      "", "P", "PBPB", "BBBBBBBBBBBB", std::string(100, 'P'), std::string(100, 'B')};
  for (const char* record : records)
    for (const std::string& history : histories)
      pattern.SideFor(LastRoundRecord::Parse(record), history);

  vessaro::fuzz::QuietDialogs dialogs;
  PatternEditorModel editor(Folder(), dialogs);
  editor.Show();
  editor.ChooseSpecial(0);
  editor.LoadSpecial();
  if (size > 0 && data[0] % 8 == 0) {
    editor.SetSpecialName("g");
    editor.SaveSpecial();
  }
  return 0;
}
