// Feeds arbitrary bytes to the face pattern list reader as facepattern/f_facepattern.txt, builds
// the condition list a special pattern makes of it, evaluates it, and loads it into the face
// pattern editor (every line laid back out on the grid).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/files.h"
#include "fuzz_support.h"
#include "systems/face_editor.h"
#include "systems/folders.h"
#include "systems/special_pattern.h"

namespace {

class ClosedSideDialog : public vessaro::BetSelectPort {
 public:
  std::string ChooseBetSide(std::string_view) override { return ""; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vessaro;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  EnsureFolder(FacePatternFolder(vessaro::fuzz::ScratchFolder()));
  WriteWholeFile(FaceListFilePath(vessaro::fuzz::ScratchFolder(), "f"), bytes);

  SpecialPatternFile special = ParseSpecialPatternText(
      "mode=1\r\notherbets=P\r\nchecked1=1,3,\r\nchecked2=3,f_facepattern.txt,FACE\r\n");
  ConditionList conditions;
  LoadFaceConditions(special, vessaro::fuzz::ScratchFolder(), "f", conditions);
  LastRoundRecord record = LastRoundRecord::Parse("P,0,0,1,2,0");
  for (const std::string& history :
       {std::string("P"), std::string("PBPBBP"), std::string(100, 'B')})
    GetFaceSide("1", "", "P", conditions, record, history);

  vessaro::fuzz::QuietDialogs dialogs;
  ClosedSideDialog side;
  FacePatternEditorModel editor(vessaro::fuzz::ScratchFolder(), dialogs);
  editor.Show();
  editor.ChooseFile(0);
  editor.Load();
  for (size_t i = 0; i < editor.lines().size() && i < 64; ++i) {
    editor.SelectLine(static_cast<int>(i));
    if (editor.LoadLineIntoGrid()) {
      editor.AddBanker();
      editor.ClearLast();
      editor.ReplaceLine(side);
    }
  }
  if (size > 0 && data[0] % 8 == 0) {
    editor.SetName("g");
    editor.Save();
  }
  return 0;
}
