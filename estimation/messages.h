// The estimation subsystem's own texts: captions, messages and labels, as
// UTF-8 literals (widened where they meet the user interface). Data-file and
// solver text never comes from here.
#pragma once

namespace vornel::msg {

// Entry checks of the parameter fields: "%s" receives the text as typed.
inline constexpr char kLatDegreesText[] = "範囲(-90,90)外の値[%s]は入力できません。";
inline constexpr char kLatDegreesCaption[] = "緯度（度）の入力";
inline constexpr char kLonDegreesText[] = "範囲(0,360)外の値[%s]は入力できません。";
inline constexpr char kLonDegreesCaption[] = "経度（度）の入力";
inline constexpr char kMinutesText[] = "範囲(0,60)外の値[%s]は入力できません。";
inline constexpr char kMinutesCaption[] = "分の入力";
inline constexpr char kSecondsText[] = "範囲(0.0,60.0)外の値[%s]は入力できません。";
inline constexpr char kSecondsCaption[] = "秒の入力";
inline constexpr char kMagnitudeText[] = "範囲(0.0,9999.9)外の値[%s]は入力できません。";
inline constexpr char kMagnitudeCaption[] = "水深の入力";
inline constexpr char kAngleText[] = "範囲(0.0,360.0)外の値[%s]は入力できません。";
inline constexpr char kAngleCaption[] = "角度の入力";

// A typed text that reads as something other than what it shows: the first
// %s is the field's name (fieldName), the second the text as typed.
inline constexpr char kNumberCaption[] = "数値の入力";
inline constexpr char kStrayDigitsText[] =
    "%sの値[%s]は一つの数として読めません。\n数は一つだけ、小数点は「.」で入力してください（単位は数の後に書けます）。";
inline constexpr char kNotWholeText[] = "%sの値[%s]には整数を入力してください。";
// The names of the fields: the group, then the field within it.
inline constexpr const char* kPointGroupNames[4] = {"準沖波地点", "等深線の代表点", "回折地点", "沖波地点"};
inline constexpr const char* kCoordinateFieldNames[7] = {"緯度（度）", "緯度（分）", "緯度（秒）", "経度（度）",
                                                         "経度（分）", "経度（秒）", "水深"};
struct FieldLabel {
    int id;
    int group;
    const char* name;
};
inline constexpr FieldLabel kOtherFieldNames[] = {{1507, 0, "防波堤先端から見た方位角θ"},
                                                  {1508, 0, "波高"},
                                                  {1509, 0, "周期"},
                                                  {1510, 0, "波向"},
                                                  {1511, 0, "相対水深(h/L0)"},
                                                  {1519, 1, "垂線の方位角θcon"},
                                                  {1527, 2, "汀線の直交方向"},
                                                  {1528, 2, "仮想防波堤の法線方向θdiff"}};

// The deep-water test of the offshore point.
inline constexpr char kDeepWaterCaption[] = "沖波地点の設定";
inline constexpr char kDeepWaterText[] = "沖波地点の水深が深海条件を満たしていません。[h/L0=%5.3lf<0.5]";

// Range checks before a run, in the order they are made.
inline constexpr char kRangeThetaCon[] = "平行等深線の垂線の方位角(θcon)が範囲(0-360)外です。(%3.1lf)\n";
inline constexpr char kRangeThetaDiff[] = "仮想防波堤の法線方向(θdiff)が範囲(0-360)外です。(%3.1lf)\n";
inline constexpr char kRangeTheta[] = "防波堤先端から見た準沖波地点の方向角が範囲(0-360)外です。(%3.1lf)\n";
inline constexpr char kRangeDiffractionDepth[] = "回折地点の水深が範囲(0-999)外です。(%3.1lf)\n";
inline constexpr char kRangeQuasiOffshoreDepth[] = "準沖波地点の水深が範囲(0-999)外です。(%3.1lf)\n";
inline constexpr char kRangeHeight[] = "波高が範囲(0-99)外です。(%3.1lf)\n";
inline constexpr char kRangePeriod[] = "周期が範囲(0-99)外です。(%3.1lf)\n";
inline constexpr char kRangeDirection[] = "波向が範囲(0-360)外です。(%3.1lf)\n";
inline constexpr char kTitleTooLong[] = "タイトルが長すぎます。(100バイト以内)\n";
inline constexpr char kTitleBadCharacter[] = "タイトルにファイル名に使えない文字が含まれています。\n";
// The title names the solver's output files, which are Shift_JIS.
inline constexpr char kTitleNotShiftJis[] = "タイトルにShift_JISで表せない文字が含まれています。";

// The run of the solver.
inline constexpr char kRunCaption[] = "簡易逆推定の実行";
inline constexpr char kCannotCreateInput[] = "入力ファイル(zelvo-in.txt)が作成できません。";
inline constexpr char kSolverMissing[] = "簡易逆推定プログラム(zelvo_v3.exe)がありません。";
inline constexpr char kCannotOpenOutput[] = "出力ファイルをオープンできません";
inline constexpr char kNoResult[] = "正しく計算できませんでした";
// The limit in seconds, then the program's path.
inline constexpr char kSolverTimedOut[] =
    "簡易逆推定プログラムが%s秒以内に終わらなかったため、計算を中止しました。\n%s\n入力した値はそのままです。";

// One run at a time per program folder (%s: the folder).
inline constexpr char kSolverBusy[] =
    "同じフォルダーで別の計算(ほかのVORNELなど)が実行中のため、計算できませんでした。\n%s\n"
    "その計算が終わってから、もう一度実行してください。";
// %s: the old output file.
inline constexpr char kCannotDeleteOldOutput[] =
    "前回の出力ファイルを削除できないため、計算しませんでした。\n%s\n"
    "ほかのプログラムで開いていれば閉じてから、もう一度実行してください。";
inline constexpr char kSolverNotStarted[] = "簡易逆推定プログラムを起動できませんでした。\n%s";
inline constexpr char kSolverStopped[] = "計算を中止しました。";
// The exit status, why, and the program's path.
inline constexpr char kSolverExitStatus[] =
    "簡易逆推定プログラムがエラーで終了しました(終了コード %s: %s)。\n%s\n結果は読み込んでいません。";

// The batch estimation of a wave record.
inline constexpr char kBatchCaption[] = "観測波浪の一括推定";
inline constexpr char kBatchNeedsCase[] =
    "港湾か海図(またはM7000データ)を選んで等深線図を表示し、地点と角度を設定してから、一括推定を実行してください。";
// The file, the line number and the line's text.
inline constexpr char kBatchNotRecords[] =
    "ファイル(%s)は観測波浪のファイルとして読めません。\n%s行目: 「%s」\n"
    "1行に 日時, 有義波高H1/3[m], 有義波周期T1/3[s], 波向(度または16方位) の順で、カンマ・タブ・空白で区切って書いてください。";
// The file, the number of records it holds and the limit.
inline constexpr char kBatchTooMany[] = "ファイル(%s)の記録(%s件)が多すぎるため、一括推定できません。(%s件まで)\nファイルを分けてから実行してください。";
inline constexpr char kBatchTooLarge[] =
    "ファイル(%s)は観測波浪のファイルとしては大きすぎるため、一括推定できません。(64MBまで、記録は100000件まで)";
inline constexpr char kBatchFolderReadOnly[] =
    "記録ファイルのフォルダーに結果を保存できません。\n%s\n保存先を選んでください。";
inline constexpr char kBatchReplaceReport[] =
    "%s\nは既にあります。置き換えますか?\n「いいえ」で別の名前を付けて保存します。";
inline constexpr char kBatchWrittenSoFar[] = "ここまでに計算した記録を保存しました(残りは「中止」です)。";
inline constexpr char kBatchNotSaved[] = "(保存できませんでした)";

// The sensitivity and response window.
inline constexpr char kSensitivityCaption[] = "感度と応答";
// The input, the text typed and the largest value taken.
inline constexpr char kSensitivityBadUncertainty[] = "%sの不確かさ「%s」は0から%sまでの数で入力してください。";
inline constexpr char kSensitivityRunsFailed[] = "次の計算ができなかったため、その行は「候補なし」と同じく空欄です。";
inline constexpr char kFigureCopyFailed[] = "図をクリップボードにコピーできませんでした。";
inline constexpr char kFigurePrintFailed[] = "図を印刷できませんでした。プリンターの状態を確かめてください。";

// The result dialog.
inline constexpr char kInputGroup[] = "入力パラメータ";
inline constexpr char kResultGroup[] = "計算結果";
inline constexpr char kEmptyCell[] = "  -  ";
inline constexpr char kEmptySmaxCell[] = "   -";
inline constexpr char kNoEstimate[] = "******";
inline constexpr char kAgreementMark[] = "\u3000\u3000\u25EF";  // two ideographic spaces and ◯

// The CSV report.
inline constexpr char kCsvCaption[] = "CSVファイルの保存";
inline constexpr char kCsvCannotOpen[] = "ファイル(%s)がオープンできません。";
inline constexpr char kCsvWriteFailed[] = "ファイル(%s)の書き込みに失敗しました。";
// The new report is complete but cannot take the old one's place.
inline constexpr char kCsvCannotReplace[] =
    "ファイル(%s)の書き込みに失敗しました。\nExcel などで開いていれば閉じてから、もう一度保存してください。";
inline constexpr char kCsvDialogTitle[] = "簡易逆推定結果のCSVファイル出力";
inline constexpr char kCsvReplaceQuestion[] = "%s は既に存在します。\n置き換えますか?";

// Reopening a case from its CSV report (the %s are, in order, the file, the
// line and the expected text, the value or the relation).
inline constexpr char kReopenCaption[] = "計算条件の読込";
inline constexpr char kReopenNeedsContourView[] =
    "港湾か海図(またはM7000データ)を選んで等深線図を表示してから、計算条件を読み込んでください。";
inline constexpr char kReopenCannotRead[] = "ファイル(%s)が読めません。";
inline constexpr char kReopenNotAReport[] =
    "ファイル(%s)はVORNELが保存した計算結果のCSVファイルではないか、一部が欠けています。\n%s行目: 「%s」の行がありません。";
inline constexpr char kReopenOutOfRange[] = "ファイル(%s)の%s行目の値「%s」は入力できる範囲にありません。";
inline constexpr char kReopenUnknownRelation[] =
    "ファイル(%s)の%s行目の関係式「%s」は、いまのparameter.lstにありません。";

// Degree, minute and second marks of the CSV coordinates, as Shift_JIS bytes
// (°, ′, ″): the report is written in code page 932.
inline constexpr char kDegreeMarkSjis[] = "\x81\x8b";
inline constexpr char kMinuteMarkSjis[] = "\x81\x8c";
inline constexpr char kSecondMarkSjis[] = "\x81\x8d";

}  // namespace vornel::msg
