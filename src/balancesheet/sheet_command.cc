#include "balancesheet/sheet_command.h"

#include "balancesheet/calendar.h"
#include "balancesheet/condition.h"
#include "balancesheet/preview.h"
#include "balancesheet/preview_columns.h"
#include "balancesheet/search_index.h"
#include "balancesheet/sheet_folders.h"
#include "balancesheet/sheet_texts.h"
#include "common/command_line.h"
#include "common/format.h"
#include "common/text.h"

namespace vessaro {
namespace {

class NoPump : public EventPump {
 public:
  void ProcessEvents() override {}
  void Pause(int) override {}
  void Sleep(int) override {}
};

// A date argument checked as the entry page's date search checks its field.
std::optional<CivilDate> ReadDateArgument(const std::string& option, const std::string& text,
                                          std::string& error) {
  if (text.size() != 8 || !IsDigits(text)) {
    error = option + ": " + sheet_text::kEightDigits + " / " + option + " takes yyyymmdd";
    return std::nullopt;
  }
  auto date = ParseCompactDate(text);
  if (!date) error = option + ": " + sheet_text::kBadDate + " / " + option + " is not a real date";
  return date;
}

}  // namespace

std::string SheetHelpText() {
  return
      "使い方 / Usage:\n"
      "  vessaro-sheet --home DIR export [--from yyyymmdd] [--to yyyymmdd] [--out FILE] [--where EXPR]\n"
      "  vessaro-sheet --home DIR reindex\n"
      "\n"
      "プログラムフォルダ DIR の収支表（balancesheet\\）を扱います。\n"
      "Works on the balance sheet (balancesheet/) of the program folder DIR.\n"
      "\n"
      "  export          期間内の収支日報を戦績プレビューと同じCSV（Shift-JIS、CR LF）で書き出します。\n"
      "                  列は表示項目設定（System\\textgridcontrol.dat）の順、ファイルがなければ29項目すべて。\n"
      "                  Writes the daily reports of the period as the preview's CSV (code page 932,\n"
      "                  CR LF), with the preview's columns, or all 29 when no column settings exist.\n"
      "  reindex         集計ファイルと検索INDEXを日報ファイルから作り直し、読み込んだ件数を表示します。\n"
      "                  Rebuilds the aggregate files and the search index from the report files and\n"
      "                  prints how many reports it read.\n"
      "  --home DIR      プログラムフォルダ / the program folder\n"
      "  --from yyyymmdd この日付以降の日報（省略時は最初から）/ reports from this date on\n"
      "  --to yyyymmdd   この日付までの日報（省略時は最後まで）/ reports up to this date\n"
      "  --out FILE      書き出すファイル（省略時は標準出力）/ the file to write (default: standard output)\n"
      "  --where EXPR    検索条件追加と同じ条件式で絞り込みます。例:\n"
      "                  narrows the reports by a condition string of the condition window, e.g.\n"
      "                  '\"収支,数値,>,0\",AND,\"プレー場所,文字,=,A\"'\n"
      "  --help          この説明を表示します / shows this text\n"
      "\n"
      "終了コード / exit status: 0 完了 / done; 2 引数の誤り、ファイルの読み書きの失敗 /\n"
      "  wrong arguments or a file that could not be read or written.\n";
}

std::optional<SheetOptions> ParseSheetArguments(const std::vector<std::string>& args, std::string& error) {
  SheetOptions o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      o.help = true;
      return o;
    }
    auto value = [&](std::optional<std::string>& into) { return TakeOptionValue(args, i, into.emplace(), error); };
    std::optional<std::string> home;
    if (a == "--home") {
      if (!value(home)) return std::nullopt;
      o.home = *home;
    } else if (a == "--from") {
      if (!value(o.from)) return std::nullopt;
    } else if (a == "--to") {
      if (!value(o.to)) return std::nullopt;
    } else if (a == "--out") {
      if (!value(o.out)) return std::nullopt;
    } else if (a == "--where") {
      if (!value(o.where)) return std::nullopt;
    } else if ((a == "export" || a == "reindex") && o.command.empty()) {
      o.command = a;
    } else {
      error = "不明な引数です / unknown argument: " + a;
      return std::nullopt;
    }
  }
  if (o.home.empty() || o.command.empty()) {
    error = "--home とコマンド（export か reindex）は必須です / --home and a command (export or reindex) are required";
    return std::nullopt;
  }
  if (o.command == "reindex" && (o.from || o.to || o.out || o.where)) {
    error = "reindex は --from, --to, --out, --where を取りません / reindex takes no --from, --to, --out or --where";
    return std::nullopt;
  }
  return o;
}

int RunSheetCommand(const SheetOptions& options, Clock& clock, std::ostream& out, std::ostream& report) {
  const fs::path home = fs::absolute(options.home);
  const SheetFolders folders(home);
  if (!FolderExists(folders.root)) {
    report << "収支表のフォルダがありません / no balance sheet folder: " << folders.root.string() << "\n";
    return 2;
  }
  try {
    if (options.command == "reindex") {
      NoPump pump;
      RegenerationObserver quiet;
      EnsureBalanceSheetFolders(folders);
      RegenerationResult result = RebuildIndex(folders, pump, clock, quiet);
      report << sheet_text::kRegenerateDone << "\n"
             << Format("日報 %d 件を読み込みました（03_day のファイル %d 件）/ read %d reports (%d files in 03_day)\n",
                       result.reports, result.files, result.reports, result.files);
      return 0;
    }

    std::string error;
    CivilDate from{1, 1, 1};
    CivilDate to{9999, 12, 31};
    if (options.from) {
      auto d = ReadDateArgument("--from", *options.from, error);
      if (!d) {
        report << error << "\n";
        return 2;
      }
      from = *d;
    }
    if (options.to) {
      auto d = ReadDateArgument("--to", *options.to, error);
      if (!d) {
        report << error << "\n";
        return 2;
      }
      to = *d;
    }
    if (DayNumber(from) > DayNumber(to)) {
      report << "--from は --to より後の日付です / --from lies after --to\n";
      return 2;
    }
    ReportFilter filter;
    if (options.where) {
      if (!IsConditionString(*options.where)) {
        report << "--where の条件式が読めません / --where is not a condition string: " << *options.where << "\n";
        return 2;
      }
      filter = [condition = *options.where](const DailyReport& r) { return MatchesCondition(condition, r); };
    }
    ColumnSettings columns = ReadColumnSettings(folders.column_settings);
    if (columns.unreadable) report << ReplaceAll(sheet_text::kColumnSettingsUnreadable, "\r\n", "\n") << "\n";
    std::vector<std::vector<std::string>> rows;
    for (const FoundReport& r : FindReportsBetween(folders.day, from, to, filter)) {
      std::vector<std::string> row;
      for (const std::string& column : columns.names) row.push_back(ShownText(column, r.report));
      rows.push_back(std::move(row));
    }
    const std::string bytes = TableCsvBytes(columns.names, rows);
    if (options.out) {
      WriteWholeFile(*options.out, bytes);
      report << Format("日報 %zu 件を書き出しました / wrote %zu reports: ", rows.size(), rows.size())
             << *options.out << "\n";
    } else {
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      out.flush();
      report << Format("日報 %zu 件を書き出しました / wrote %zu reports\n", rows.size(), rows.size());
    }
    return 0;
  } catch (const IoError& e) {
    report << ReplaceAll(e.what(), "\r\n", "\n") << "\n";
    return 2;
  }
}

}  // namespace vessaro
