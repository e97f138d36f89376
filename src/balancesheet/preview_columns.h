// The columns of the preview table: the 29 known columns with the text each shows for a report,
// and the column settings file (the visible names joined by "&", stored as hexadecimal).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "balancesheet/daily_report.h"

namespace vessaro {

struct PreviewColumn {
  const char* name;
  ReportField field;
};
inline constexpr int kPreviewColumnCount = 29;
extern const std::array<PreviewColumn, kPreviewColumnCount> kPreviewColumns;

std::vector<std::string> DefaultColumnNames();

// The text a column shows for a report; empty for a name that is not one of the 29.
std::string ShownText(std::string_view column_name, const DailyReport& report);

struct ColumnSettings {
  std::vector<std::string> names;  // the visible columns in display order
  bool from_file = false;          // false: the file is missing or unreadable, names are the 29
  bool unreadable = false;         // the file exists but is not hexadecimal text
};
ColumnSettings ReadColumnSettings(const fs::path& file);
void WriteColumnSettings(const fs::path& file, const std::vector<std::string>& names);

// The column dialog "一覧表示項目設定": the 29 default names on the left, the visible columns on
// the right. Selections are lists of row indexes.
class ColumnDialogModel {
 public:
  // Reads the settings file; a missing file is first written with the 29 names.
  explicit ColumnDialogModel(fs::path settings_file);

  const std::vector<std::string>& custom() const { return custom_; }
  bool file_unreadable() const { return unreadable_; }

  // "追加>>": the selected default names, in list order, to the end.
  void AddSelected(const std::vector<int>& default_rows);
  // "挿入>>": before the first selected custom row; nothing without one.
  void InsertSelected(const std::vector<int>& default_rows, const std::vector<int>& custom_rows);
  // "<<削除".
  void RemoveSelected(const std::vector<int>& custom_rows);
  // "OK": the message to show when refused, else nullopt after writing the file.
  std::optional<std::string> Confirm();

 private:
  fs::path file_;
  std::vector<std::string> custom_;
  bool unreadable_ = false;
};

}  // namespace vessaro
