#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "estimation/estimation_windows.h"
#include "estimation/field_checks.h"
#include "estimation/numeric_text.h"
#include "estimation/params.h"
#include "estimation/run_checks.h"
#include "estimation/wave.h"
#include "platform/text.h"
#include "shell/app_state.h"
#include "support/fake_dialog_fields.h"
#include "support/recording_platform.h"

namespace vornel {
namespace {

const WindowRef kOwner = reinterpret_cast<WindowRef>(static_cast<std::uintptr_t>(0x77));

// Runs the entry check the way the dialog does: the text read as int and real.
int enter(RecordingPlatform&, int fieldId, const std::wstring& text) {
    FakeDialogFields reader;
    reader.texts[1] = text;
    int i = 0;
    double r = 0;
    readIntField(reader, 1, -2147483647, 2147483647, i);
    readRealField(reader, 1, -1e300, 1e300, r);
    return checkFieldEntry(kOwner, fieldId - kFirstParamFieldId, i, r, text);
}

TEST(FieldEntry, BoundsOfEachCheckType) {
    RecordingPlatform rec;
    EXPECT_EQ(enter(rec, 1500, L"90"), 0);
    EXPECT_EQ(enter(rec, 1512, L"-90"), 0);
    EXPECT_EQ(enter(rec, 1503, L"359"), 0);
    EXPECT_EQ(enter(rec, 1502, L"59.9999"), 0);
    EXPECT_EQ(enter(rec, 1506, L"9999.8"), 0);
    EXPECT_EQ(enter(rec, 1527, L"359.9"), 0);
    EXPECT_TRUE(rec.warnings.empty());

    EXPECT_EQ(enter(rec, 1500, L"91"), 1);
    EXPECT_EQ(enter(rec, 1535 - 2, L"360"), 1);  // 1533: longitude degrees of the offshore point
    EXPECT_EQ(enter(rec, 1501, L"60"), 1);
    EXPECT_EQ(enter(rec, 1502, L"60"), 1);
    EXPECT_EQ(enter(rec, 1508, L"9999.9"), 1);
    EXPECT_EQ(enter(rec, 1510, L"-1"), 1);
    ASSERT_EQ(rec.warnings.size(), 6u);
    const std::pair<const char*, const char*> expected[] = {
        {"緯度（度）の入力", "範囲(-90,90)外の値[91]は入力できません。"},
        {"経度（度）の入力", "範囲(0,360)外の値[360]は入力できません。"},
        {"分の入力", "範囲(0,60)外の値[60]は入力できません。"},
        {"秒の入力", "範囲(0.0,60.0)外の値[60]は入力できません。"},
        {"水深の入力", "範囲(0.0,9999.9)外の値[9999.9]は入力できません。"},
        {"角度の入力", "範囲(0.0,360.0)外の値[-1]は入力できません。"},
    };
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(rec.warnings[i].owner, kOwner);
        EXPECT_EQ(rec.warnings[i].caption, widen(expected[i].first));
        EXPECT_EQ(rec.warnings[i].text, widen(expected[i].second));
    }
}

TEST(FieldEntry, TextWithoutDigitsIsAcceptedEverywhere) {
    RecordingPlatform rec;
    for (int id = 1500; id <= 1536; ++id) EXPECT_EQ(enter(rec, id, L"abc"), 0) << id;
    EXPECT_EQ(enter(rec, 1500, L"nan"), 0);
    EXPECT_TRUE(rec.warnings.empty());
}

// What the dialog would read is what the text shows, or the entry is refused
// with a box that names the field: the IME's 「。」 is a decimal point, a
// second number or a fraction of a degree is not dropped.
TEST(FieldEntry, TextIsReadWholeOrRefusedNamingTheField) {
    RecordingPlatform rec;
    EXPECT_DOUBLE_EQ(textToReal(std::wstring(L"\uFF12\u3002\uFF15")), 2.5);  // ２。５
    EXPECT_DOUBLE_EQ(textToReal(std::wstring(L"2\uFF615")), 2.5);            // half-width ｡
    for (const wchar_t* accepted : {L"\uFF12\u3002\uFF15", L"1.5m", L"10\u79D2", L" 2.5 m", L"abc", L"2,", L"1e"})
        EXPECT_EQ(enter(rec, 1509, accepted), 0) << toUtf8(accepted);
    EXPECT_EQ(enter(rec, 1500, L"35.0"), 0);
    EXPECT_TRUE(rec.warnings.empty());

    EXPECT_EQ(enter(rec, 1508, L"2,5"), 1);
    EXPECT_EQ(enter(rec, 1509, L"1 5"), 1);
    EXPECT_EQ(enter(rec, 1536, L"\u7D04 20"), 1);  // 約 20 would read as 0
    EXPECT_EQ(enter(rec, 1502, L"2.5.1"), 1);
    EXPECT_EQ(enter(rec, 1512, L"35.5"), 1);
    EXPECT_EQ(enter(rec, 1533, L"139 45"), 1);
    ASSERT_EQ(rec.warnings.size(), 6u);
    for (const RecordedWarning& w : rec.warnings) {
        EXPECT_EQ(w.owner, kOwner);
        EXPECT_EQ(w.caption, widen("数値の入力"));
    }
    EXPECT_EQ(rec.warnings[0].text, widen("準沖波地点の波高の値[2,5]は一つの数として読めません。\n数は一つだけ、"
                                          "小数点は「.」で入力してください（単位は数の後に書けます）。"));
    EXPECT_EQ(rec.warnings[2].text.substr(0, 15), widen("沖波地点の水深の値[約 20]"));
    EXPECT_EQ(rec.warnings[4].text, widen("等深線の代表点の緯度（度）の値[35.5]には整数を入力してください。"));
    EXPECT_EQ(rec.warnings[5].text.substr(0, 10), widen("沖波地点の経度（度）"));
    EXPECT_EQ(fieldName(1528 - 1500), widen("回折地点の仮想防波堤の法線方向θdiff"));
    EXPECT_EQ(fieldName(1529 - 1500), L"");
}

TEST(FieldEntry, LongTextIsCutSoTheMessageKeeps255Characters) {
    RecordingPlatform rec;
    const std::wstring typed = L"-" + std::wstring(400, L'9');
    EXPECT_EQ(checkFieldEntry(kOwner, 7, 0, -1.0, typed), 1);
    ASSERT_EQ(rec.warnings.size(), 1u);
    const std::wstring& text = rec.warnings[0].text;
    EXPECT_EQ(text.size(), 255u);
    EXPECT_EQ(text.substr(0, 18), widen("範囲(0.0,360.0)外の値[-"));
    EXPECT_EQ(text.substr(text.size() - 11), widen("9]は入力できません。"));
}

TEST(ReadFields, IntegerClampsAndReportsLength) {
    FakeDialogFields d;
    int out = 7;
    EXPECT_EQ(readIntField(d, 5, -90, 90, out), 0);
    EXPECT_EQ(out, 7);  // empty: untouched
    d.texts[5] = L"95";
    EXPECT_EQ(readIntField(d, 5, -90, 90, out), 0);
    EXPECT_EQ(out, 90);
    d.texts[5] = L"-100";
    EXPECT_EQ(readIntField(d, 5, -90, 90, out), 0);
    EXPECT_EQ(out, -90);
    d.texts[5] = L" 35";
    EXPECT_EQ(readIntField(d, 5, -90, 90, out), 3);
    EXPECT_EQ(out, 35);
    d.texts[5] = L"99999999999999999999";  // saturates instead of overflowing
    EXPECT_EQ(readIntField(d, 5, 0, 59, out), 0);
    EXPECT_EQ(out, 59);
}

TEST(ReadFields, RealTakesFirstTokenAndClamps) {
    FakeDialogFields d;
    double out = 5.0;
    d.texts[9] = L" ,\t ";
    EXPECT_EQ(readRealField(d, 9, 0.01, 99, out), 0);
    EXPECT_EQ(out, 5.0);
    d.texts[9] = L"  12.5, 7";
    EXPECT_EQ(readRealField(d, 9, 0.01, 99, out), 1);
    EXPECT_DOUBLE_EQ(out, 12.5);
    d.texts[9] = L"100";
    EXPECT_EQ(readRealField(d, 9, 0.01, 99, out), 0);
    EXPECT_DOUBLE_EQ(out, 99.0);
    d.texts[9] = L"0";
    EXPECT_EQ(readRealField(d, 9, 0.01, 99, out), 0);
    EXPECT_DOUBLE_EQ(out, 0.01);
    d.texts[9] = L"360";
    EXPECT_EQ(readRealField(d, 9, 0, 360, out), 1);  // bounds are included
    d.texts[9] = L"1e2x";
    EXPECT_EQ(readRealField(d, 9, 0, 360, out), 1);
    EXPECT_DOUBLE_EQ(out, 100.0);

    // A Japanese input method in full-width mode: the values are those of the
    // ASCII forms (they once read as 0 and ran as 0.01).
    d.texts[9] = L"\u3000２．５";
    EXPECT_EQ(readRealField(d, 9, 0.01, 99, out), 1);
    EXPECT_DOUBLE_EQ(out, 2.5);
    d.texts[9] = L"１０\u3000７";
    EXPECT_EQ(readRealField(d, 9, 0.01, 99, out), 1);
    EXPECT_DOUBLE_EQ(out, 10.0);
    int degrees = 0;
    d.texts[0] = L"－３５";
    EXPECT_NE(readIntField(d, 0, -90, 90, degrees), 0);
    EXPECT_EQ(degrees, -35);
    EXPECT_EQ(textToInt(std::wstring_view(L"＋１２３")), 123);
    EXPECT_DOUBLE_EQ(textToReal(std::wstring_view(L"１．５ｍ")), 1.5);
    EXPECT_EQ(foldFullWidth(L"２．５ m"), L"2.5 m");
}

TEST(Dms, TextsOfLatitudeAndLongitude) {
    DmsTexts t = showDms(35.5, false);
    EXPECT_EQ(t.degrees, L"35");
    EXPECT_EQ(t.minutes, L"30");
    EXPECT_EQ(t.seconds, L"00.0000");
    t = showDms(degreesFromDms(5, 7, 3.25), true);
    EXPECT_EQ(t.degrees, L"  5");
    EXPECT_EQ(t.minutes, L"07");
    EXPECT_EQ(t.seconds, L"03.2500");
    t = showDms(degreesFromDms(35, 10, 59.9999), false);
    EXPECT_EQ(t.seconds, L"59.9999");
    EXPECT_TRUE(showDms(99.9, false).degrees.empty());
    EXPECT_TRUE(showDms(99.895, false).seconds.empty());
    EXPECT_TRUE(showDms(999.9, true).minutes.empty());
    EXPECT_EQ(showDms(99.85, false).degrees, L"99");      // 0.05 away: shown
    EXPECT_DOUBLE_EQ(degreesFromDms(-35, 30, 0), -34.5);  // not mirrored
}

TEST(Dms, SecondsCloseTo60CarryIntoMinuteAndDegree) {
    DmsTexts t = showDms(degreesFromDms(35, 10, 59.99996), false);
    EXPECT_EQ(t.degrees, L"35");
    EXPECT_EQ(t.minutes, L"11");
    EXPECT_EQ(t.seconds, L"00.0000");
    t = showDms(degreesFromDms(139, 59, 59.99996), true);
    EXPECT_EQ(t.degrees, L"140");
    EXPECT_EQ(t.minutes, L"00");
    EXPECT_EQ(t.seconds, L"00.0000");
}

TEST(Dms, CsvTextPadsAndUsesShiftJisMarks) {
    FakeDialogFields d;
    d.texts[1] = L"35";
    d.texts[2] = L"30";
    d.texts[3] = L"00.0000";
    EXPECT_EQ(dmsText(d, 1, 2, 3),
              " 35\x81\x8b"
              "30\x81\x8c"
              "00.0000\x81\x8d");
    EXPECT_EQ(dmsText(d, 4, 5, 6), "   \x81\x8b  \x81\x8c  \x81\x8d");
}

class BreakwaterAngle : public ::testing::Test {
protected:
    void SetUp() override {
        resetEstimationParams();
        EstimationParams& p = estimationParams();
        p.diffractionPoint = {34.0, 135.0, 10.0, 0.0, 0.0};
        p.quasiOffshorePoint = {34.1, 135.0, 30.0, 100.0, 0.0};  // due north of the tip
        p.shoreNormal = 0.0;                                     // θdiff = 180
    }
};

TEST_F(BreakwaterAngle, BothSidesOfTheBreakwaterNormal) {
    EstimationParams& p = estimationParams();
    double theta = -1;
    p.thetaCon = 200.0;
    ASSERT_EQ(computeBreakwaterAngle(theta), 1);
    EXPECT_NEAR(theta, 180.0, 1e-9);
    p.thetaCon = 160.0;
    ASSERT_EQ(computeBreakwaterAngle(theta), 1);
    EXPECT_NEAR(theta, 180.0, 1e-9);

    p.quasiOffshorePoint.north = 0.0;  // due east: c = 90
    p.quasiOffshorePoint.east = 100.0;
    p.thetaCon = 200.0;
    ASSERT_EQ(computeBreakwaterAngle(theta), 1);
    EXPECT_NEAR(theta, 90.0, 1e-9);
    p.thetaCon = 160.0;
    ASSERT_EQ(computeBreakwaterAngle(theta), 1);
    EXPECT_NEAR(theta, 270.0, 1e-9);

    p.shoreNormal = 350.0;  // θdiff 170, δ wraps: 10 - 170 = -160
    p.thetaCon = 10.0;
    ASSERT_EQ(computeBreakwaterAngle(theta), 1);
    EXPECT_NEAR(theta, 360.0 - 170.0 + 90.0, 1e-9);

    // θcon and the shore normal 0.03° apart: unrounded δ = 58.77 - 238.80 =
    // -180.03 is the clockwise side, but the solver reads 58.8 and 238.8 (δ =
    // -180, the other side). θ follows the solver's reading.
    p.shoreNormal = 58.80;
    p.thetaCon = 58.77;
    ASSERT_EQ(computeBreakwaterAngle(theta), 1);
    EXPECT_NEAR(theta, 360.0 - 238.80 + 90.0, 1e-9);
    p.thetaCon = 58.74;  // reads 58.7: δ = -180.1 → 179.9 for both
    ASSERT_EQ(computeBreakwaterAngle(theta), 1);
    EXPECT_NEAR(theta, 238.80 - 90.0, 1e-9);
}

TEST_F(BreakwaterAngle, NotComputableLeavesThetaAlone) {
    EstimationParams& p = estimationParams();
    double theta = 42.0;
    EXPECT_EQ(computeBreakwaterAngle(theta), 0);  // thetaCon not set
    p.thetaCon = 200.0;
    p.diffractionPoint.lon = NOT_SET_LON;
    EXPECT_EQ(computeBreakwaterAngle(theta), 0);
    p.diffractionPoint.lon = 135.0;
    p.quasiOffshorePoint.lat = 90.0;  // the test is strict
    EXPECT_EQ(computeBreakwaterAngle(theta), 0);
    p.quasiOffshorePoint.lat = 34.1;
    p.shoreNormal = NOT_SET_ANGLE;
    EXPECT_EQ(computeBreakwaterAngle(theta), 0);
    EXPECT_EQ(theta, 42.0);
}

TEST(Wave, LengthByDispersionRelation) {
    int steps = -1;
    EXPECT_NEAR(waveLengthAtDepth(10.0, 9999.9, &steps), 156.0777, 5e-5);
    EXPECT_EQ(steps, 0);
    EXPECT_NEAR(waveLengthAtDepth(10.0, 10.0, &steps), 92.356, 5e-4);
    EXPECT_EQ(steps, 3);
    EXPECT_NEAR(waveLengthAtDepth(8.0, 20.0), 88.770, 5e-4);

    resetEstimationParams();
    estimationParams().offshorePoint.depth = 20.0;
    EXPECT_NEAR(waveLength(8.0), 88.770, 5e-4);
}

TEST(Wave, LengthIsZeroWhenUndefined) {
    EXPECT_EQ(waveLengthAtDepth(10.0, 0.0), 0.0);
    EXPECT_EQ(waveLengthAtDepth(0.0, 20.0), 0.0);
    EXPECT_EQ(waveLengthAtDepth(0.0, 0.0), 0.0);
    EXPECT_EQ(waveLengthAtDepth(10.0, -5.0), 0.0);
    EXPECT_EQ(waveLengthAtDepth(10.0, std::nan("")), 0.0);
    EXPECT_GT(waveLengthAtDepth(99.0, 1e-9), 0.0);  // very shallow still settles
}

TEST(Wave, RelativeDepthAndDeepWaterWarning) {
    RecordingPlatform rec;
    resetAppState();
    estimationWindows().mainWindow = kOwner;
    EXPECT_NEAR(relativeDepth(20.0, 10.0), 0.12814, 1e-5);
    deepWaterWarning(100.0, 10.0);  // 0.641: deep enough
    EXPECT_TRUE(rec.warnings.empty());
    deepWaterWarning(20.0, 10.0);
    ASSERT_EQ(rec.warnings.size(), 1u);
    EXPECT_EQ(rec.warnings[0].owner, kOwner);
    EXPECT_EQ(rec.warnings[0].caption, widen("沖波地点の設定"));
    EXPECT_EQ(rec.warnings[0].text, widen("沖波地点の水深が深海条件を満たしていません。[h/L0=0.128<0.5]"));
    resetAppState();
}

const char kAllEmptyLines[] =
    "平行等深線の垂線の方位角(θcon)が範囲(0-360)外です。(999.9)\n"
    "仮想防波堤の法線方向(θdiff)が範囲(0-360)外です。(999.9)\n"
    "防波堤先端から見た準沖波地点の方向角が範囲(0-360)外です。(999.9)\n"
    "回折地点の水深が範囲(0-999)外です。(9999.9)\n"
    "準沖波地点の水深が範囲(0-999)外です。(9999.9)\n"
    "波高が範囲(0-99)外です。(999.9)\n"
    "周期が範囲(0-99)外です。(999.9)\n"
    "波向が範囲(0-360)外です。(999.9)\n";

TEST(RunChecks, EveryFieldEmptyReportsLinesInOrder) {
    resetEstimationParams();
    EXPECT_EQ(checkRunInputs("Test", 999.9, 999.9, 999.9, 999.9), widen(kAllEmptyLines));
    estimationParams().diffractionOff = 1;
    const std::wstring text = checkRunInputs("Test", 999.9, 999.9, 999.9, 999.9);
    EXPECT_EQ(text.find(widen("仮想防波堤")), std::wstring::npos);
    EXPECT_EQ(text.find(widen("防波堤先端")), std::wstring::npos);
    EXPECT_EQ(text.find(widen("回折地点")), std::wstring::npos);
    EXPECT_EQ(text.substr(0, 11), widen("平行等深線の垂線の方位"));
    resetEstimationParams();
}

TEST(RunChecks, BoundsAreUpperOnlyAndDepthIs999) {
    resetEstimationParams();
    EstimationParams& p = estimationParams();
    p.thetaCon = 360.0;
    p.shoreNormal = 0.0;
    p.diffractionPoint.depth = 999.0;
    p.quasiOffshorePoint.depth = 999.5;
    EXPECT_EQ(checkRunInputs("T", 360.0, 99.0, 99.0, 360.0), widen("準沖波地点の水深が範囲(0-999)外です。(999.5)\n"));
    resetEstimationParams();
}

TEST(RunChecks, TitleLengthInBytes) {
    resetEstimationParams();
    EstimationParams& p = estimationParams();
    p.thetaCon = p.shoreNormal = 0.0;
    p.diffractionPoint.depth = p.quasiOffshorePoint.depth = 10.0;
    const std::wstring tooLong = widen("タイトルが長すぎます。(100バイト以内)\n");
    EXPECT_EQ(checkRunInputs(std::string(100, 'a'), 0, 1, 8, 0), L"");
    EXPECT_EQ(checkRunInputs(std::string(101, 'a'), 0, 1, 8, 0), tooLong);
    std::string wide51;
    for (int i = 0; i < 51; ++i) wide51 += "\x82\xa0";  // あ in Shift_JIS
    EXPECT_EQ(checkRunInputs(wide51, 0, 1, 8, 0), tooLong);
    // Too long and unusable: both lines, in that order.
    EXPECT_EQ(checkRunInputs(std::string(101, 'a') + "/", 0, 1, 8, 0),
              tooLong + widen("タイトルにファイル名に使えない文字が含まれています。\n"));
    resetEstimationParams();
}

TEST(RunChecks, TitleMustStayInsideTheProgramFolder) {
    for (const char* bad : {"..\\x", "a/b", "c:x", "a*", "a?", "\"q\"", "<a", "a>", "a|b", "a\tb", "a\rb", ".."})
        EXPECT_FALSE(isUsableTitle(bad)) << bad;
    // Trail bytes 0x5C and 0x7C of double-byte characters are not separators:
    // ソ (0x83 0x5C), 表 (0x95 0x5C), ポ (0x83 0x7C).
    for (const char* good : {"Test", "a..b", "\x83\x5c", "\x95\x5c\x8e\xa6", "\x83\x7c", "case 1 (N)"})
        EXPECT_TRUE(isUsableTitle(good)) << good;
    EXPECT_FALSE(isUsableTitle("a\\\x83\x5c"));  // a real backslash before ソ
}

}  // namespace
}  // namespace vornel
