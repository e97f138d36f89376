// Pictures of the betting-system editors with sample systems, patterns and face pattern lists,
// for checking that every card of a page, every caption and every list reads well. Not a test:
// run it under xvfb-run (see docs/editor-screenshots.md).
//
//   editor_screenshots <output folder>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <cstdio>

#include "support/fakes.h"
#include "support/save_picture.h"
#include "support/temp_folder.h"
#include "systems/ashfinch.h"
#include "systems/card_deck.h"
#include "systems/face_editor.h"
#include "systems/folders.h"
#include "systems/special_pattern.h"
#include "ui/systems/ashfinch2_form.h"
#include "ui/systems/bet_pattern_form.h"
#include "ui/systems/bet_select_form.h"
#include "ui/systems/bet_sys_pattern_form.h"
#include "ui/systems/card_setting_dlg.h"
#include "ui/systems/card_setting_dlg2.h"
#include "ui/systems/make_face_card_form.h"
#include "ui/common/window_helpers.h"

using namespace vessaro;

namespace {

// Chooses a name in a drop-down as the user would.
void Choose(QComboBox* combo, const char* name) {
  const int index = combo->findText(QString::fromUtf8(name));
  if (index < 0) std::fprintf(stderr, "no %s in %s\n", name, qPrintable(combo->objectName()));
  combo->setCurrentIndex(index);
}

// A side dialog that answers without a window, for building the list on screen.
class AnswerBanker : public BetSelectPort {
 public:
  std::string ChooseBetSide(std::string_view) override { return "B"; }
};

void WriteSamples(const fs::path& folder) {
  // A full deck: every card filled, stakes of units and percentages, jumps all over the deck.
  std::vector<CardFields> full(kSystemCardCount);
  for (int n = 1; n <= kSystemCardCount; ++n) {
    const int stake = n % 7 == 0 ? n % 100 + 1 : 10 * n;
    full[n - 1] = CardFields{n % 7 == 0 ? std::to_string(stake) + "%" : std::to_string(stake), "1",
                             std::to_string(n % 60 + 1)};
  }
  full[59] = CardFields{"10000", "1", "60"};
  WriteCardFile(SystemFilePath(folder, "全カード使用"), full);
  std::vector<CardFields> cocomo(kSystemCardCount);
  cocomo[0] = {"10", "1", "2"};
  cocomo[1] = {"10", "1", "3"};
  cocomo[2] = {"20", "1", "4"};
  cocomo[3] = {"30", "1", "5"};
  cocomo[4] = {"5%", "1", "5"};
  WriteCardFile(SystemFilePath(folder, "ココモ法"), cocomo);
  WriteCardFile(SystemFilePath(folder, "マーチンゲール"), cocomo);
  WriteAshfinchFile(AshfinchFilePath(folder, "標準設定"), AshfinchSettings{});

  std::vector<CardFields> pattern(kPatternCardCount);
  for (int n = 1; n <= kPatternCardCount; ++n)
    pattern[n - 1] = {n % 3 == 0 ? "B" : "P", std::to_string(n % 20 + 1), "1"};
  WriteCardFile(PatternFilePath(folder, "交互ベット"), pattern);

  SpecialPatternDefinition special;
  special.strategy = SpecialPatternDefinition::Strategy::kCondition;
  special.otherbets = "B";
  special.streaks[0] = {true, 4};
  special.streaks[1] = {true, 12};
  special.face_enabled = true;
  special.face_list = "ツラ崩れ";
  EnsureFolder(BetPatternFolder(folder));
  WriteTextFile(SpecialPatternFilePath(folder, "ツラ逆張り"), MakeSpecialPatternText(special));

  WriteFaceListFile(
      FaceListFilePath(folder, "ツラ崩れ"),
      {MakeFaceLine("PPPB", "P"), MakeFaceLine("BBBP", "B"), MakeFaceLine("PBPBPB", "P"),
       MakeFaceLine("PPPPPPBBBBBBPPPPPP", "B"),
       MakeFaceLine(std::string(6, 'P') + std::string(6, 'B') + std::string(6, 'P') +
                        std::string(6, 'B') + std::string(6, 'P') + std::string(6, 'B') +
                        std::string(6, 'P') + std::string(6, 'B') + std::string(6, 'P') +
                        std::string(6, 'B') + std::string(6, 'P') + std::string(6, 'B'),
                    "P")});
  WriteFaceListFile(FaceListFilePath(folder, "二目"), {MakeFaceLine("PB", "B")});
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vessaro::SetUpJapaneseApplication();
  if (argc < 2) {
    std::fprintf(stderr, "usage: editor_screenshots <output folder>\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);

  testing::TempFolder folder;
  WriteSamples(folder.path());
  testing::FakeDialogs dialogs;

  {
    TBetSysPatternForm w(folder.path(), &dialogs);
    w.show();
    Choose(w.system_combo(), "全カード使用");
    w.BtnLoadClick();
    testing::SavePicture(&w, out, "01-system-editor-cards-1-20");
    w.tabs()->setCurrentIndex(2);
    testing::SavePicture(&w, out, "02-system-editor-cards-41-60");
    w.tabs()->setCurrentIndex(3);
    testing::SavePicture(&w, out, "03-system-editor-ashfinch-page");
    w.tabs()->setCurrentIndex(0);
    Choose(w.system_combo(), "ココモ法");
    w.BtnLoadClick();
    testing::SavePicture(&w, out, "04-system-editor-partly-filled");
    TCardSettingDlg card(5, w.model().card(5), &dialogs, &w);
    card.show();
    testing::SavePicture(&card, out, "05-system-card-dialog");
  }
  {
    TBetPatternForm w(folder.path(), &dialogs);
    w.show();
    Choose(w.pattern_combo(), "交互ベット");
    w.BtnPatternLoadClick();
    testing::SavePicture(&w, out, "06-pattern-editor-fixed-page");
    TCardSettingDlg2 card(3, w.model().card(3), &dialogs, &w);
    card.show();
    testing::SavePicture(&card, out, "07-pattern-card-dialog");
    card.close();
    w.tabs()->setCurrentIndex(1);
    w.first_bet_button(0)->click();
    w.select_radio(3)->click();
    w.special_name_edit()->setText(QStringLiteral("統計追随"));
    testing::SavePicture(&w, out, "08-pattern-editor-special-fixed-strategy");
    Choose(w.special_combo(), "ツラ逆張り");
    w.BtnSpecialLoadClick();
    testing::SavePicture(&w, out, "09-pattern-editor-special-condition-strategy");
  }
  {
    AnswerBanker banker;
    TMakeFaceCardForm w(folder.path(), &dialogs, &banker);
    w.show();
    Choose(w.file_combo(), "ツラ崩れ");
    w.BtnLoadClick();
    for (const char c : std::string("PPPBBPBBBBBBPPPPPBPBPPPPPPBBBBBBPPPPP")) {
      if (c == 'P') w.BtnPlayerClick();
      if (c == 'B') w.BtnBankerClick();
    }
    w.line_list()->setCurrentRow(2);
    testing::SavePicture(&w, out, "10-face-pattern-editor");

    TBetSelectForm side(BetSelectCaption("PPPB"), &w);
    side.show();
    testing::SavePicture(&side, out, "11-bet-select");
    side.close();
    TBetSelectForm long_side(BetSelectCaption(std::string(36, 'P') + std::string(36, 'B')), &w);
    long_side.show();
    testing::SavePicture(&long_side, out, "12-bet-select-72-results");
  }
  {
    TAshfinch2Form w(folder.path(), &dialogs);
    w.show();
    testing::SavePicture(&w, out, "13-ashfinch-n-mode");
    w.mode_list()->setCurrentRow(1);
    testing::SavePicture(&w, out, "14-ashfinch-r-mode");
    w.mode_list()->setCurrentRow(2);
    w.enabled_combo()->setCurrentIndex(0);
    Choose(w.p_system_combo(), "ココモ法");
    testing::SavePicture(&w, out, "15-ashfinch-p-mode");
    w.mode_list()->setCurrentRow(0);
    w.BtnTrialClearClick();
    for (int i = 0; i < 4; ++i) w.BtnLoseClick();
    w.BtnTieClick();
    w.BtnWinClick();
    testing::SavePicture(&w, out, "16-ashfinch-trial");
  }
  for (const std::string& m : dialogs.messages) std::printf("message: %s\n", m.c_str());
  return 0;
}
