// Every text the betting-system editors and evaluations show, in one place so windows and tests
// use the very same strings.
#pragma once

namespace vessaro::systems_text {

// Shared by the editors.
inline constexpr const char* kSaved = "保存しました";
inline constexpr const char* kDeleted = "削除しました";
inline constexpr const char* kSettingsFileMissing = "設定ファイルが存在しません";
inline constexpr const char* kHasBlanks = "空白があります。";
inline constexpr const char* kBlank = "空白です";
inline constexpr const char* kHalfWidthDigits = "半角数字で入力してください";
inline constexpr const char* kCardHasBlank = "カード%dの内容に空白があります";
inline constexpr const char* kCardHasError = "カード%dの内容にエラーがあります";
inline constexpr const char* kCardTargetBlank =
    "カード%dの移動先（カード%d）の内容に空白があります";

// System cards and the system editor.
inline constexpr const char* kSystemEditorTitle = "ベットシステム設定";
inline constexpr const char* kSystemCardTitle = "システムカード設定";
inline constexpr const char* kSystemPrompt = "登録システムを選択してください";
inline constexpr const char* kSystemFileMissing = "システムファイルが存在しません";
inline constexpr const char* kEnterSystemName = "システム名を入力してください";
inline constexpr const char* kSystemExists = "同じシステム名が存在します\r\n上書きしますか？";
inline constexpr const char* kChooseSystemToDelete = "削除したいシステムを選択してください";
inline constexpr const char* kPercentRange = "%表記の場合は1から100までの設定です";
inline constexpr const char* kPercentStakeError = "賭け額(%)の計算中に例外が発生しました";
inline constexpr const char* kSystemBroken = "システム設定に誤りがあります";
inline constexpr const char* kSystemPages[3] = {"カード1～20", "カード21～40", "カード41～60"};

// Pattern cards and the pattern editor.
inline constexpr const char* kPatternEditorTitle = "ベットパターン設定";
inline constexpr const char* kFixedPageTitle = "固定パターン設定";
inline constexpr const char* kSpecialPageTitle = "特殊パターン設定（条件・螺旋）";
inline constexpr const char* kPatternCardTitle = "パターンカード設定";
inline constexpr const char* kPatternPrompt = "登録パターンを選択してください";
inline constexpr const char* kPatternFileMissing = "パターンファイルが存在しません";
inline constexpr const char* kEnterPatternName = "パターン名を入力してください";
inline constexpr const char* kPatternExists = "同じパターン名が存在します\r\n上書きしますか？";
inline constexpr const char* kChoosePatternToDelete = "削除したいパターンを選択してください";
inline constexpr const char* kSideLetter = "半角英字のPかBで入力してください";
inline constexpr const char* kPatternBroken = "パターン設定に誤りがあります";

// Special patterns.
inline constexpr const char* kFixedStrategy = "固定戦略を設定する";
inline constexpr const char* kConditionStrategy = "条件戦略を設定する";
inline constexpr const char* kSelectCaptions[4] = {
    "前回の出目の逆張りを行う。", "前回の出目の順張りを行う。", "統計値の高い方へベットする。",
    "統計値の低い方へベットする。"};
inline constexpr const char* kPriority1Caption[2] = {
    "【優先度1】", "回のツラが発生した場合、当たるまで逆張りを続ける。"};
inline constexpr const char* kPriority2Caption[2] = {
    "【優先度2】", "回のツラが発生した場合、外れるまで順張りを続ける。"};
inline constexpr const char* kPriority3Caption[2] = {"【優先度3】フェイスパターン", "を使用する"};
inline constexpr const char* kAddEditFacePatterns = "フェイスパターンの追加・編集";
inline constexpr const char* kChoosePrompt = "選択してください";
inline constexpr const char* kEnterFirstBet = "初回ベット（BorP）を入力してください";
inline constexpr const char* kEnterDefaultBet =
    "条件に当てはまらない場合のベットを入力してください";
inline constexpr const char* kRunLengthNotChosen = "【優先度%d】の回数が選択されていません";
inline constexpr const char* kFaceListNotChosen =
    "【優先度%d】のフェイスパターンが選択されていません";
inline constexpr const char* kNeedCondition = "１つ以上の条件を設定してください";
inline constexpr const char* kFaceFileMissing = "フェイスファイルが存在しません";
inline constexpr const char* kSpecialFileBroken =
    "特殊パターンファイル「%s」の内容に誤りがあります（%s）";
inline constexpr const char* kTooManyConditions =
    "フェイスパターンの条件が%zu件あります\r\n使用できる条件は合計10000件までです（%s）";

// Face pattern editor and its side dialog.
inline constexpr const char* kFaceEditorTitle = "出現パターン設定";
inline constexpr const char* kBetSelectTitle = "ベット先の選択";
inline constexpr const char* kFacePrompt = "登録フェイスパターンを選択してください";
inline constexpr const char* kColumnFull = "縦列は6個までです";
inline constexpr const char* kColumnsFull = "横列は12個までです";
inline constexpr const char* kFaceTooShort = "フェイスパターンは2個以上で設定してください";
inline constexpr const char* kFaceLineMiddle = " のパターンが発生した場合 ";
inline constexpr const char* kFaceLineEnd = " にベットする";
inline constexpr const char* kBetPlayer = "プレーヤーにベットする";
inline constexpr const char* kBetBanker = "バンカーにベットする";
inline constexpr const char* kChooseLineToDelete = "削除対象のリストを選択してください";
inline constexpr const char* kChooseLineToLoad = "読み込み対象のリストを選択してください";
inline constexpr const char* kChooseLineToEdit = "修正対象のリストを選択してください";
inline constexpr const char* kNoPatternList = "パターンリストがありません";
inline constexpr const char* kFaceExists = "同じフェイスパターン名が存在します\r\n上書きしますか？";
inline constexpr const char* kFaceListFileMissing = "フェイスパターンファイルが存在しません";
inline constexpr const char* kChooseFaceToDelete = "削除したいフェイスパターンを選択してください";
inline constexpr const char* kFaceLineUnreadable =
    "PとB以外の文字を含むパターンはグリッドに表示できません";

// Ashfinch basic system.
inline constexpr const char* kAshfinchTitle = "Kindlet - ベットシステム設定 - Ashfinch ver. 2.1";
inline constexpr const char* kModeNames[3] = {"Nモード(NormalMode)", "Rモード(RecoveryMode)",
                                              "Pモード(ParlayMode)"};
inline constexpr const char* kModeDescriptions[3] = {
    "AshfinchBasicの基本となる通常モードです。",
    "Nモードを失敗終了した際、損失を取り戻すためのモードです。",
    "Nモードを連続で成功終了した際、パーレーを狙うモードです。"};
inline constexpr const char* kUnitCaption = "1単位あたりの対応金額";
inline constexpr const char* kEnabledCaption = "モード有効 / 無効";
inline constexpr const char* kFormulaCaption = "計算式オプション";
inline constexpr const char* kFailureCaption = "モード失敗終了条件";
inline constexpr const char* kFailureCount[2] = {"以下の条件のうち、", "項目を満たした場合"};
inline constexpr const char* kSuccessCaption = "モード成功終了条件";
inline constexpr const char* kNormalSuccess = "1単位の利益を獲得した場合";
inline constexpr const char* kRecoverySuccess[2] = {"Rモードによる累計獲得利益が、",
                                                    "Nモードの失敗終了による損失を上回った場合"};
inline constexpr const char* kTargetMode = "移行先モード: %s";
inline constexpr const char* kParlaySystem = "・以下のベットシステムを利用する";
inline constexpr const char* kParlayStart[2] = {"・Nモードを、", " 回連続で成功した場合に開始"};
inline constexpr const char* kParlaySuccess = " 単位の利益を獲得した場合";
inline constexpr const char* kParlayFailure = " 単位の損失が発生した場合";
inline constexpr const char* kTrialCaption = "簡易検証";
inline constexpr const char* kTrialBalance = "残高";
inline constexpr const char* kNSuccessCount = "Nモード連続成功数";
inline constexpr const char* kPUnitsCaption = "Pモード獲得単位";
inline constexpr const char* kEnabledText = "有効";
inline constexpr const char* kDisabledText = "無効";
inline constexpr const char* kPSystemPrompt = "ベットシステムを選択してください。";
inline constexpr const char* kInvalidField = "不正な値があります。正しい数値を入力してください(%d)";
inline constexpr const char* kChoosePSystem =
    "Pモードを無効にするか、利用するベットシステムを選択してください";
inline constexpr const char* kAshfinchUnreadable =
    "Ashfinchシステムファイル「%s」を読み込めません\r\n%sの値がないか、数値ではありません";

}  // namespace vessaro::systems_text
