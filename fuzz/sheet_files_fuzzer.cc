// The balance sheet's readers on arbitrary bytes: the bytes as a report, a condition string, a
// column settings file, a search pattern, a bonus file and an index file, each read the way the
// window reads it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "balancesheet/bonus.h"
#include "balancesheet/condition.h"
#include "balancesheet/entry_page.h"
#include "balancesheet/preview.h"
#include "balancesheet/preview_columns.h"
#include "common/cp932.h"
#include "fuzz_support.h"

using namespace vessaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = DecodeFileText(bytes);
  const DailyReport report = ParseReport(text);
  for (const PreviewColumn& column : kPreviewColumns) ShownText(column.name, report);
  MatchesCondition(text, report);
  IsConditionString(text);
  CheckWildInput(text);
  ComputePlayTime(report[ReportField::kStartDate], report[ReportField::kStartTime],
                  report[ReportField::kEndDate], report[ReportField::kEndTime]);
  ComputeHourlyRate(ComputeProfit(text, text, text), report[ReportField::kPlayTime]);
  ComputePayout(report[ReportField::kTotalBet], report[ReportField::kProfit]);

  static fuzz::QuietDialogs dialogs;
  const fs::path& home = fuzz::ScratchFolder();
  SheetFolders folders(home);
  EnsureBalanceSheetFolders(folders);
  EnsureFolder(folders.column_settings.parent_path());
  WriteWholeFile(folders.column_settings, bytes);
  ReadColumnSettings(folders.column_settings);
  WriteWholeFile(folders.patterns / "p.dat", bytes);
  WriteWholeFile(BonusFilePath(folders.bonus, "b"), bytes);
  ReadBonusFile(BonusFilePath(folders.bonus, "b"));
  WriteWholeFile(folders.index / "col_3.txt", bytes);
  ConditionWindowModel window(folders, dialogs);
  window.LoadPattern(0);
  window.ChooseItem(0, "プレー場所");
  window.ChooseOperator(0, "等しい（＝）");
  window.Confirm();
  std::vector<std::string> values = ReadIndexValues(folders.index, 3);
  SortValueList(values);
  return 0;
}
