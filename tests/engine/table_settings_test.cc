#include "engine/table_settings.h"

#include <gtest/gtest.h>

#include "common/hex.h"
#include "common/text.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;

std::vector<std::string> Fields(std::string balance, std::string min, std::string max,
                                std::string memory, std::string sleep, std::string mode) {
  return {"blance=" + balance, "minimum=" + min,  "maximum=" + max,
          "blancememory=" + memory, "sleeptime=" + sleep, "randommode=" + mode};
}

struct FieldCase {
  const char* why;
  std::vector<std::string> fields;
  bool valid;
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.why; }

class ValidateFieldsTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ValidateFieldsTest, Checks) {
  EXPECT_EQ(ValidateSettingsFields(GetParam().fields), GetParam().valid) << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValidateFieldsTest,
    ::testing::Values(
        FieldCase{"typical", Fields("5000", "1", "500", "True", "250", "完全確率モード"), true},
        FieldCase{"balance with cents", Fields("1234.50", "1", "500", "False", "700", "天国モード"), true},
        FieldCase{"min equal max", Fields("5000", "100", "100", "True", "250", "完全確率モード"), false},
        FieldCase{"min above max", Fields("5000", "200", "100", "True", "250", "完全確率モード"), false},
        FieldCase{"balance below one", Fields("0.5", "1", "500", "True", "250", "完全確率モード"), false},
        FieldCase{"balance at the top", Fields("1000000", "1", "500", "True", "250", "完全確率モード"), true},
        FieldCase{"balance over the top", Fields("1000000.5", "1", "500", "True", "250", "完全確率モード"), false},
        FieldCase{"balance with sign", Fields("-5", "1", "500", "True", "250", "完全確率モード"), false},
        FieldCase{"lower-case true", Fields("5000", "1", "500", "true", "250", "完全確率モード"), false},
        FieldCase{"speed 50", Fields("5000", "1", "500", "True", "50", "完全確率モード"), false},
        FieldCase{"max over 10000", Fields("5000", "1", "10001", "True", "100", "完全確率モード"), false},
        FieldCase{"fraction in min", Fields("5000", "1.5", "500", "True", "100", "完全確率モード"), false},
        FieldCase{"unknown mode", Fields("5000", "1", "500", "True", "100", "普通モード"), false},
        FieldCase{"empty mode", Fields("5000", "1", "500", "True", "100", ""), false},
        FieldCase{"huge number", Fields("99999999999999999999999", "1", "500", "True", "100", "天国モード"), false},
        FieldCase{"leading zeros read as typed",
                  Fields("5000", "0000000000000000000100", "50", "True", "100", "天国モード"), false},
        FieldCase{"five fields", {"blance=1", "minimum=1", "maximum=5", "blancememory=True", "sleeptime=100"}, false}));

TEST(CheckNumberTextTest, Rules) {
  EXPECT_TRUE(CheckNumberText("", false, false, 0, 0));  // no range: nothing to check
  EXPECT_FALSE(CheckNumberText("", false, false, 1, 10));
  EXPECT_TRUE(CheckNumberText("-5", false, true, -10, 10));
  EXPECT_FALSE(CheckNumberText("5-", false, true, -10, 10));
  EXPECT_FALSE(CheckNumberText("1.2.3", true, false, 0, 100));
  EXPECT_TRUE(CheckNumberText("9.9999", true, false, 1, 10));
  EXPECT_TRUE(CheckNumberText("10.00001", true, false, 1, 10));  // read to four decimals
  EXPECT_FALSE(CheckNumberText("10.0001", true, false, 1, 10));
  EXPECT_FALSE(CheckNumberText(".", true, false, 1, 10));
}

class RulesFileTest : public ::testing::Test {
 protected:
  // The forced dialog, scripted: confirms with the given values, or closes unconfirmed.
  class ScriptedDialog : public RuleDialogPort {
   public:
    ScriptedDialog(RulesFileTest& t) : t_(t) {}
    bool RunRuleDialog(bool forced) override {
      forced_calls += forced ? 1 : 0;
      if (!confirm) return false;
      PrepareRuleDialog(t_.dir.path(), t_.settings);
      return ConfirmRuleDialog(t_.dir.path(), values, t_.settings).confirmed;
    }
    bool confirm = true;
    int forced_calls = 0;
    RuleDialogValues values;

   private:
    RulesFileTest& t_;
  };

  void WriteRules(const std::string& text) { dir.Write("System/Rules.dat", HexEncodeText(text)); }
  std::string RulesText() { return *HexDecodeText(ReadWholeFile(RulesPath(dir.path()))); }

  TempFolder dir;
  TableSettings settings;
  FakeDialogs dialogs;
  ScriptedDialog dialog{*this};
};

TEST_F(RulesFileTest, LoadsAValidFile) {
  WriteRules("blance=1234.50&minimum=10&maximum=1000&blancememory=True&sleeptime=700&randommode=地獄モード");
  EXPECT_EQ(LoadTableSettings(dir.path(), settings, dialogs, dialog), SettingsLoadResult::kLoaded);
  EXPECT_EQ(settings.balance_setting, "1234.50");
  EXPECT_EQ(settings.configured_balance, "1234.50");
  EXPECT_EQ(settings.minimum, 10);
  EXPECT_EQ(settings.maximum, 1000);
  EXPECT_TRUE(settings.remember_balance);
  EXPECT_EQ(settings.deal_interval, 700);
  EXPECT_EQ(settings.outcome_mode, "地獄モード");
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(dialog.forced_calls, 0);
}

// A text editor saves the file with a line break at its end; that is still a valid file.
TEST_F(RulesFileTest, ALineBreakAfterTheDigitsIsRead) {
  const std::string hex =
      HexEncodeText("blance=2000&minimum=1&maximum=500&blancememory=False&sleeptime=250&randommode=地獄モード");
  for (const std::string& bytes : {hex + "\r\n", hex + "\n", hex + "\r\n\r\n", " " + hex + " \n"}) {
    dir.Write("System/Rules.dat", bytes);
    FakeDialogs d;
    TableSettings s;
    EXPECT_EQ(LoadTableSettings(dir.path(), s, d, dialog), SettingsLoadResult::kLoaded);
    EXPECT_EQ(s.balance_setting, "2000");
    EXPECT_TRUE(d.messages.empty());
    EXPECT_EQ(ReadWholeFile(RulesPath(dir.path())), bytes);  // not deleted, not rewritten
  }
  EXPECT_EQ(dialog.forced_calls, 0);
}

TEST_F(RulesFileTest, MissingFileAsksForTheInitialSettings) {
  dialog.values.balance = "3000";
  dialog.values.mode_index = 3;
  EXPECT_EQ(LoadTableSettings(dir.path(), settings, dialogs, dialog), SettingsLoadResult::kMissing);
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"ルール設定ファイルが見つかりません\r\nゲームの初期設定を行ってください"}));
  EXPECT_EQ(dialog.forced_calls, 1);
  EXPECT_EQ(settings.balance_setting, "3000");
  EXPECT_EQ(settings.outcome_mode, "天国モード");
  EXPECT_EQ(RulesText(), "blance=3000&minimum=1&maximum=5000&blancememory=False&sleeptime=250&randommode=天国モード");
}

TEST_F(RulesFileTest, MissingFileAndDialogClosedKeepsTheStartValues) {
  dialog.confirm = false;
  EXPECT_EQ(LoadTableSettings(dir.path(), settings, dialogs, dialog), SettingsLoadResult::kMissing);
  EXPECT_EQ(dialogs.messages.size(), 1u);  // no second message about an invalid file
  EXPECT_EQ(settings.balance_setting, "1000.00");
  EXPECT_EQ(settings.maximum, 500);
  EXPECT_EQ(settings.outcome_mode, "");
}

TEST_F(RulesFileTest, BrokenFilesAreDeletedAndReplaced) {
  const std::string broken[] = {
      HexEncodeText("blance=5000&minimum=100&maximum=100&blancememory=True&sleeptime=250&randommode=完全確率モード"),
      HexEncodeText("blance=5000&minimum=1"),
      HexEncodeText("blance=5000&minimum=1&maximum=500&blancememory=True&sleeptime=250&randommode=普通モード"),
      "not hexadecimal at all",
      std::string("\x00\xFF\x81", 3),
      HexEncodeText("blance=5000&minimum=1&maximum=500&blancememory=True&sleeptime=250&randommode=完全確率モード").substr(0, 40),
      ""};
  for (const std::string& bytes : broken) {
    dir.Write("System/Rules.dat", bytes);
    FakeDialogs d;
    TableSettings s;
    ScriptedDialog closing(*this);
    closing.confirm = false;
    EXPECT_EQ(LoadTableSettings(dir.path(), s, d, closing), SettingsLoadResult::kInvalid);
    EXPECT_EQ(d.messages, (std::vector<std::string>{"ルール設定に誤りがあります\r\nゲームの初期設定を行ってください"}));
    EXPECT_EQ(closing.forced_calls, 1);
    EXPECT_FALSE(FileExists(RulesPath(dir.path())));
  }
}

TEST_F(RulesFileTest, SaveOnCloseFollowsTheRememberFlag) {
  struct Case {
    bool remember;
    std::string shown;
    std::string stored;
  } cases[] = {{true, "1234.50", "1234.50"}, {true, "0.00", "5000"}, {true, "", "5000"},
               {false, "9999.00", "2000"},
               // Grown past what the load accepts: kept at the top rather than losing the file.
               {true, "1000000.00", "1000000.00"}, {true, "1500000.00", "1000000"}};
  for (const Case& c : cases) {
    WriteRules("x");
    TableSettings s;
    s.configured_balance = "2000";
    s.remember_balance = c.remember;
    s.outcome_mode = "完全確率モード";
    s.deal_interval = 250;
    SaveSettingsOnClose(dir.path(), s, c.shown);
    EXPECT_EQ(GetField(RulesText(), "&", 1), "blance=" + c.stored) << c.shown;
  }
  // Nothing is written when the file does not exist.
  DeleteFileIfExists(RulesPath(dir.path()));
  SaveSettingsOnClose(dir.path(), settings, "100.00");
  EXPECT_FALSE(FileExists(RulesPath(dir.path())));
}

TEST_F(RulesFileTest, OpeningTheDialogFromTheMenuThenCancelling) {
  settings.remember_balance = true;
  settings.outcome_mode = "完全確率モード";
  settings.deal_interval = 100;
  SaveSettingsBeforeDialog(dir.path(), settings, "1234.95");
  EXPECT_EQ(GetField(RulesText(), "&", 1), "blance=1234");
  RuleDialogValues shown = PrepareRuleDialog(dir.path(), settings);
  EXPECT_EQ(shown.balance, "1234");
  EXPECT_EQ(shown.speed_index, 2);
  EXPECT_TRUE(shown.remember);
}

TEST_F(RulesFileTest, SaveMomentsNeverWriteAFileTheLoadWouldDelete) {
  const std::string good = "blance=1234&minimum=1&maximum=500&blancememory=True&sleeptime=250&randommode=天国モード";
  for (const char* shown : {"0.50", "1500000.00"}) {
    WriteRules(good);
    ASSERT_EQ(LoadTableSettings(dir.path(), settings, dialogs, dialog), SettingsLoadResult::kLoaded);
    SaveSettingsBeforeDialog(dir.path(), settings, shown);
    EXPECT_EQ(ReadTableSettings(dir.path(), settings), SettingsLoadResult::kLoaded) << shown;
  }
  // Settings that were never loaded (an unreadable file at start) leave the file alone.
  WriteRules(good);
  TableSettings never_loaded;
  SaveSettingsOnClose(dir.path(), never_loaded, "1000.00");
  SaveSettingsBeforeDialog(dir.path(), never_loaded, "1000.00");
  EXPECT_EQ(RulesText(), good);
}

TEST_F(RulesFileTest, FailedConfirmWriteLeavesTheSettingsAsTheyWere) {
  dir.Write("System", "a file where the folder belongs");
  settings.outcome_mode = "天国モード";
  RuleDialogValues v;
  v.balance = "3000";
  v.minimum = "5";
  v.maximum = "50";
  v.mode_index = 4;
  const TableSettings before = settings;
  EXPECT_THROW(ConfirmRuleDialog(dir.path(), v, settings), IoError);
  EXPECT_EQ(settings.outcome_mode, before.outcome_mode);
  EXPECT_EQ(settings.minimum, before.minimum);
  EXPECT_EQ(settings.balance_setting, before.balance_setting);
}

TEST_F(RulesFileTest, DialogShowsFileValues) {
  WriteRules("blance=1234.50&minimum=5&maximum=50&blancememory=False&sleeptime=999&randommode=変なモード");
  settings.balance_setting = "777.25";
  RuleDialogValues v = PrepareRuleDialog(dir.path(), settings);
  EXPECT_EQ(v.balance, "1234.5");
  EXPECT_EQ(v.speed_index, 1);  // any other interval selects the second entry
  EXPECT_EQ(v.mode_index, 0);   // an unknown name leaves the first entry
  EXPECT_EQ(v.minimum, "5");
  EXPECT_EQ(v.maximum, "50");
  EXPECT_FALSE(v.remember);
  // Without a file the dialog keeps its defaults and the balance is cut before its point.
  DeleteFileIfExists(RulesPath(dir.path()));
  TableSettings fresh;
  fresh.balance_setting = "1000.75";
  RuleDialogValues d = PrepareRuleDialog(dir.path(), fresh);
  EXPECT_EQ(fresh.balance_setting, "1000");
  EXPECT_EQ(d.balance, "5000");
  EXPECT_EQ(d.maximum, "5000");
}

struct ConfirmCase {
  std::string balance, min, max;
  std::vector<std::string> messages;
};

void PrintTo(const ConfirmCase& c, std::ostream* os) { *os << c.balance << "/" << c.min << "/" << c.max; }

class ConfirmDialogTest : public RulesFileTest, public ::testing::WithParamInterface<ConfirmCase> {};

TEST_P(ConfirmDialogTest, ChecksTypedValues) {
  const ConfirmCase& c = GetParam();
  RuleDialogValues v;
  v.balance = c.balance;
  v.minimum = c.min;
  v.maximum = c.max;
  v.speed_index = 0;
  v.mode_index = 5;
  TableSettings before = settings;
  RuleDialogResult r = ConfirmRuleDialog(dir.path(), v, settings);
  EXPECT_EQ(r.messages, c.messages);
  EXPECT_EQ(r.confirmed, c.messages.empty());
  if (r.confirmed) {
    EXPECT_EQ(settings.balance_setting, Trim(c.balance));
    EXPECT_EQ(settings.deal_interval, 700);
    EXPECT_EQ(settings.outcome_mode, "スーパー地獄モード");
    EXPECT_EQ(GetField(RulesText(), "&", 1), "blance=" + Trim(c.balance));
  } else {
    EXPECT_EQ(settings.balance_setting, before.balance_setting);
    EXPECT_FALSE(FileExists(RulesPath(dir.path())));
  }
}

const std::string kBadInput = "入力値が不正です";
const std::string kHalf = "残高に小数点を使う場合は.5のみ有効です";

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfirmDialogTest,
    ::testing::Values(ConfirmCase{"1234.5", "1", "500", {}},
                      ConfirmCase{" 5000 ", " 10 ", " 20 ", {}},
                      ConfirmCase{"1234.50", "1", "500", {kHalf, kBadInput}},
                      ConfirmCase{"1234.25", "1", "500", {kHalf, kBadInput}},
                      ConfirmCase{"0", "1", "500", {kBadInput}},
                      ConfirmCase{"1000000", "1", "10000", {}},
                      ConfirmCase{"1000001", "1", "500", {kBadInput}},
                      ConfirmCase{"5000", "500", "500", {kBadInput}},
                      ConfirmCase{"5000", "0", "500", {kBadInput}},
                      ConfirmCase{"5000", "1", "", {kBadInput}},
                      ConfirmCase{"abc", "1", "500", {kBadInput}}));

}  // namespace
}  // namespace vessaro
