// The training analysis's own texts: window captions, labels and messages, written once.
#pragma once

namespace vessaro::analysis_texts {

inline constexpr const char* kAnalysisCaption = "解析";
inline constexpr const char* kGridCaption = "パターン別出現率解析値";
inline constexpr const char* kSearchCaption = "グリッド内条件検索";
inline constexpr const char* kPatternEntryCaption = "検索パターン入力";

// Log kinds as the analysis window shows them.
inline constexpr const char* kKindKindlet = "Kindlet";
inline constexpr const char* kKindInterCasino = "インターカジノ";
inline constexpr const char* kKindUserSimple = "ユーザ簡易作成";
inline constexpr const char* kKindUserDetailed = "ユーザ詳細作成";

inline constexpr const char* kChooseFileTitle = "ファイルを選択してください。";
inline constexpr const char* kFileInvalid = "解析ファイルが不正です";
inline constexpr const char* kFileMissing = "解析ファイルが存在しません";
inline constexpr const char* kNotReportable =
    "インターカジノのログまたはユーザ詳細作成のログではありません";
inline constexpr const char* kAnalysisFinished = "解析が終了しました";
inline constexpr const char* kRangeInvalid = "戦績の範囲指定が不正です";
// The window offers only 4 to 12; the command line can ask for anything.
inline constexpr const char* kPatternLengthInvalid = "パターン桁数は4から12までです";
inline constexpr const char* kNoBankruptcy = "解析ファイル内で破産パターンは出現しませんでした";
inline constexpr const char* kBankruptcyFound = "引分けを除く【%d戦】で破産パターン【%s】が【%d回】出現しました";
// Lines of a detailed log that are not five readable fields are left out of its generated log.
inline constexpr const char* kDamagedRecords =
    "読み込めない行を除いて解析します（%lld行）\r\n最初の行：%lld行目";

// The log report's list lines.
inline constexpr const char* kReportBasic = "【基本情報】";
inline constexpr const char* kReportPayout = "【ペイアウト: %s %% 】";
inline constexpr const char* kReportHistory = "【ゲーム履歴】";
inline constexpr const char* kReportSides = "PLAYER:%lld【%lld%%】 BANKER:%lld【%lld%%】 TIE:%lld【%lld%%】";
inline constexpr const char* kReportWinLoss = "【ゲーム勝敗】";
inline constexpr const char* kReportOutcomes = "WIN:%lld【%lld%%】 LOSE:%lld【%lld%%】 TIE:%lld【%lld%%】";
inline constexpr const char* kReportStreaks = "【最大連勝数:%lld回　最大連敗数：%lld回】";

// The pattern frequency table and its grid window.
inline constexpr const char* kGridHeader = "全%lld戦（引分けを除く） パターン桁:%d桁(%d通り)";
inline constexpr const char* kGridTheoryHeading =
    "理論値算出計算値（バンカー勝率:50.68%  プレーヤー勝率:49.32%）";
inline constexpr const char* kGridResultCount = "検索結果 %d件";

// The condition search.
inline constexpr const char* kChoosePrompt = "選択してください";
inline constexpr const char* kNoConditionEnd = "検索条件の終了がありません";
inline constexpr const char* kNothingMatches = "検索条件に該当するデータがありません";

// The road entry grid.
inline constexpr const char* kPatternLimit = "現在の検索パターンの最大桁数は %d です";

}  // namespace vessaro::analysis_texts
