// Every text the balance sheet shows, in one place so windows, the command-line companion and
// tests use the very same strings.
#pragma once

namespace vessaro::sheet_text {

// Shared.
inline constexpr const char* kChoosePrompt = "選択してください";
inline constexpr const char* kSaved = "保存しました";
inline constexpr const char* kDeleted = "削除しました";
inline constexpr const char* kBlank = "空白です";
inline constexpr const char* kChooseListToDelete = "削除したいリストを選択してください";

// Window and pages.
inline constexpr const char* kWindowTitle = "収支表";
inline constexpr const char* kEntryPage = "収支日報";
inline constexpr const char* kPreviewPage = "戦績プレビュー";
inline constexpr const char* kEnterNote = "※項目入力後エンターキーで進んでください（自動計算されます）";

// Field checks and computations of the entry page.
inline constexpr const char* kRange0To100000 = "半角数字の0から100000で入力してください";
inline constexpr const char* kRange1To100000 = "半角数字の1から100000で入力してください";
inline constexpr const char* kRange0To100 = "半角数字の0から100で入力してください";
inline constexpr const char* kNegativePayout =
    "ペイアウトがマイナスです。収支とトータルベットの値を確認してください";

// Save.
inline constexpr const char* kDatesRequired = "日付は必須項目です";
inline constexpr const char* kMoneyRequired = "マネー情報は必須項目です";
inline constexpr const char* kProfitNotComputed =
    "自動計算が行われていません（終了残高項目でエンターキーを押して下さい）";
inline constexpr const char* kPayoutNotComputed =
    "自動計算が行われていません（トータルベット項目でエンターキーを押して下さい）";
inline constexpr const char* kWholeNumber = "半角数値の整数で入力してください";
inline constexpr const char* kEnterName = "パターン名を入力してください";
inline constexpr const char* kReportExists = "同じ収支日報が存在します\r\n上書きしますか？";

// Delete and close.
inline constexpr const char* kLoadReportToDelete = "削除したい日報の検索を行ってください";
inline constexpr const char* kDeleteQuestion = "この収支日報を削除します\r\nよろしいですか？";
inline constexpr const char* kCloseUnsaved = "保存されていません。終了してよろしいですか？";

// Balance-detail entry "プレー毎残高入力".
inline constexpr const char* kDetailTitle = "プレー毎残高入力";
inline constexpr const char* kChooseLineToEdit = "修正対象のリストを選択してください";
inline constexpr const char* kChooseLineToInsert = "挿入対象のリストを選択してください";
inline constexpr const char* kChooseLineToDelete = "削除対象のリストを選択してください";
inline constexpr const char* kValueBlank = "値が空白です";
inline constexpr const char* kListBlank = "リストが空白です";

// Pick lists and the date search of the entry page.
inline constexpr const char* kListAddTitle = "リスト追加";
inline constexpr const char* kSearchValueBlank = "検索値が空白です";
inline constexpr const char* kEightDigits = "半角数値8桁で入力してください";
inline constexpr const char* kBadDate = "日付形式が不正です";
inline constexpr const char* kNoSearchResult = "検索結果がありません";
inline constexpr const char* kDateSearchNote = "※日付は半角8桁";

// Preview.
inline constexpr const char* kNoMonthResult = "月間の検索結果がありません";
inline constexpr const char* kNoWeekResult = "週間の検索結果がありません";
inline constexpr const char* kNoDayResult = "日間の検索結果（詳細情報）がありません";
inline constexpr const char* kNoNarrowing = "絞り込み検索を行う条件がありません";
inline constexpr const char* kZeroResults = "検索結果が0件です";
inline constexpr const char* kTooManyResults =
    "検索結果が%d件を超えました\r\n先頭の%d件を表示します";
inline constexpr const char* kProfitGraphTitle = "収支推移グラフ";
inline constexpr const char* kProfitSeries = "収支推移";
inline constexpr const char* kProfitTotal = "トータル収支";
inline constexpr const char* kBalanceGraphTitle = "残高推移グラフ";
inline constexpr const char* kBalanceSeries = "残高推移";
inline constexpr const char* kBalanceTotal = "残高";
inline constexpr const char* kGraphXAxis = "回数";
inline constexpr const char* kConditionSet = "有";

// Column dialog "一覧表示項目設定".
inline constexpr const char* kColumnDialogTitle = "一覧表示項目設定";
inline constexpr const char* kNeedOneColumn = "表示項目は1個以上選択してください";
inline constexpr const char* kColumnSettingsUnreadable =
    "表示項目設定ファイルの内容が読み取れません\r\nすべての項目を表示します";

// Date dialog "日付選択".
inline constexpr const char* kDateDialogTitle = "日付選択";

// CSV export.
inline constexpr const char* kCsvExportTitle = "CSVファイルの保存先を指定してください。";
inline constexpr const char* kCsvNothingToExport = "エクスポートする検索結果がありません";

// Bonus tracking.
inline constexpr const char* kBonusArea = "ボーナスプレー情報";
inline constexpr const char* kBonusPlaying = "現在ボーナスプレー中";
inline constexpr const char* kBonusNote = "※ボーナス種別を読み込み後 ボーナス進捗入力 ボタンを押してください";
inline constexpr const char* kBonusMakeTitle = "ボーナスの追加";
inline constexpr const char* kBonusProgressTitle = "ボーナス消化進捗";
inline constexpr const char* kEnterBonusName = "登録ボーナス名を入力してください";
inline constexpr const char* kBonusAmountRange = "必要賭け金は半角数値で1から100000までです";
inline constexpr const char* kBonusExists = "同じパターン名が存在します\r\n上書きしますか？";
inline constexpr const char* kChooseBonusToDelete = "削除したいボーナス種別を選択してください";
inline constexpr const char* kSettingsFileMissing = "設定ファイルが存在しません";
inline constexpr const char* kBonusNotRead = "ボーナス情報ファイルが読み込まれていません";
inline constexpr const char* kRateRange = "反映率は半角数値で1から100までです";
inline constexpr const char* kRateAndBetPair = "反映率とベット額はセットで必須入力です";
inline constexpr const char* kBetRange = "ベット額は半角数値で1から100000までです";

// Index and condition search.
inline constexpr const char* kRegenerateQuestion =
    "検索INDEXの再生成を行います\r\n日報件数が多い場合は時間がかかる場合があります。実行しますか？";
inline constexpr const char* kRegenerateProgress = "検索INDEXの再生成を行っています(%d/%d)";
inline constexpr const char* kRegenerateDone = "検索INDEXの再生成が終了しました";
inline constexpr const char* kConditionTitle = "検索条件追加";
inline constexpr const char* kNoConditionEnd = "検索条件の終了がありません";
inline constexpr const char* kWildTitle = "ワイルド検索";
inline constexpr const char* kWildNote1 = "検索を行いたい文字列を入力してください";
inline constexpr const char* kWildNote2 = "※部分一致になります";
inline constexpr const char* kWildBlank = "検索を行いたい値が空白です";
inline constexpr const char* kWildTooLong = "全角7文字までです";
inline constexpr const char* kChoosePatternToLoad = "読み込み対象のリストを選択してください";
inline constexpr const char* kPatternUnreadable =
    "検索パターンファイルの内容が読み取れません\r\n%s";

}  // namespace vessaro::sheet_text
