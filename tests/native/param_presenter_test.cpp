#include "estimation/param_presenter.h"

#include <gtest/gtest.h>

#include <cstring>

#include "bathymetry/contour_store.h"
#include "bathymetry/spreading_relations.h"
#include "estimation/estimation_windows.h"
#include "estimation/params.h"
#include "estimation/result.h"
#include "mapview/map_pick.h"
#include "platform/text.h"
#include "shell/app_state.h"
#include "support/fake_dialog_fields.h"
#include "support/recording_platform.h"

namespace vornel {
namespace {

using namespace param_ids;

// Fields that report every write of a numeric field at once, as an edit
// control sends its change report from inside SetWindowText.
class EchoingFields : public FakeDialogFields {
public:
    ParamPresenter* presenter = nullptr;
    bool echo = true;
    void setText(int id, const std::wstring& text) override {
        FakeDialogFields::setText(id, text);
        if (echo && presenter && id >= 1500 && id <= 1536) presenter->onFieldChanged(id);
    }
    // The user typing: the text changes and is reported once.
    void type(int id, const std::wstring& text) {
        texts[id] = text;
        presenter->onFieldChanged(id);
    }
};

class RecordingHost : public ParamDialogHost {
public:
    int redraws = 0;
    int resultCloses = 0;
    std::vector<int> ends;
    void redrawMap() override { ++redraws; }
    void closeResultDialog() override { ++resultCloses; }
    void endDialog(int result) override { ends.push_back(result); }
};

class ParamDialog : public ::testing::Test {
protected:
    void SetUp() override {
        resetAll();
        fields.presenter = &presenter;
        presenter.open();
    }
    void TearDown() override { resetAll(); }
    static void resetAll() {
        resetAppState();
        resetEstimationParams();
        resetEstimationResult();
        resetContourStore();
        std::memset(&spreadingRelations(), 0, sizeof(SpreadingRelationList));
    }
    // Two straight contours 10 m at 50 m west and 30 m at 50 m east of the
    // origin of the data at 35°30′ N, 139°45′ E: 20 m deep there.
    static void loadSlope() {
        ContourStore& store = contourStore();
        const float lines[2][2] = {{-50.0f, 10.0f}, {50.0f, 30.0f}};
        for (const auto& line : lines)
            for (int v = 0; v <= 20; ++v)
                store.points[store.contourPointCount++] =
                    ContourPoint{line[0], float((v - 10) * 100), line[1], 0, v == 0 ? 1 : 0};
        store.projectionOrigin = {35.5, 139.75};
    }

    RecordingPlatform platform_;
    EchoingFields fields;
    RecordingHost host;
    ParamPresenter presenter{fields, host};
};

TEST_F(ParamDialog, OpeningResetsPointsFillsTheListAndClosesTheResultDialog) {
    resetAll();
    EstimationParams& p = estimationParams();
    p.quasiOffshorePoint.lat = 35.0;
    p.thetaCon = 10.0;
    p.diffractionOff = 1;
    spreadingRelations().relationCount = 1;
    std::strcpy(spreadingRelations().relations[0].name, "\x8a\xd6\x8c\x57");  // 関係
    estimationWindows().resultDialogOpen = 1;
    presenter.open();
    EXPECT_FALSE(p.quasiOffshorePoint.isSet());
    EXPECT_EQ(p.thetaCon, NOT_SET_ANGLE);
    EXPECT_FALSE(fields.isChecked(kDiffractionOn));
    EXPECT_TRUE(fields.isChecked(kDiffractionOff));
    EXPECT_EQ(fields.lists[kRelationList], (std::vector<std::wstring>{L"", L"関係"}));
    EXPECT_EQ(fields.selectedListEntry(kRelationList), 0);
    EXPECT_EQ(estimationWindows().paramDialogOpen, 1);
    EXPECT_EQ(estimationWindows().paramDialog, fields.handle);
    EXPECT_EQ(host.resultCloses, 1);
}

TEST_F(ParamDialog, APendingProgramEditSwallowsTheNextReportWhateverField) {
    fields.echo = false;  // the echo of the write into 1528 arrives late
    fields.type(kShoreNormal, L"20");
    EXPECT_EQ(fields.texts[kThetaDiff], L"200.0");
    EXPECT_TRUE(presenter.isProgramEdit(kThetaDiff));

    // Any report while a flag is set is an echo: it clears the flag of its own
    // field only and changes nothing.
    fields.type(kThetaCon, L"45");
    EXPECT_EQ(estimationParams().thetaCon, NOT_SET_ANGLE);
    EXPECT_TRUE(presenter.isProgramEdit(kThetaDiff));
    presenter.onFieldChanged(kThetaDiff);
    EXPECT_FALSE(presenter.isProgramEdit(kThetaDiff));
    fields.type(kThetaCon, L"45");
    EXPECT_EQ(estimationParams().thetaCon, 45.0);
}

TEST_F(ParamDialog, RejectionEmptiesTheFieldAndKeepsTheStoredValue) {
    fields.type(kQuasiOffshoreFirst + 6, L"20");
    EXPECT_EQ(estimationParams().quasiOffshorePoint.depth, 20.0);
    fields.type(kQuasiOffshoreFirst + 6, L"-5");
    ASSERT_EQ(platform_.warnings.size(), 1u);
    EXPECT_EQ(platform_.warnings[0].caption, L"水深の入力");
    EXPECT_EQ(platform_.warnings[0].text, L"範囲(0.0,9999.9)外の値[-5]は入力できません。");
    EXPECT_EQ(fields.texts[kQuasiOffshoreFirst + 6], L"");
    EXPECT_EQ(estimationParams().quasiOffshorePoint.depth, 20.0);  // the echo of the emptying is no edit

    // 9 then 95 in a latitude-degree field: 95 is refused with the latitude message.
    fields.type(kQuasiOffshoreFirst, L"9");
    fields.type(kQuasiOffshoreFirst, L"95");
    ASSERT_EQ(platform_.warnings.size(), 2u);
    EXPECT_EQ(platform_.warnings[1].caption, L"緯度（度）の入力");
    EXPECT_EQ(fields.texts[kQuasiOffshoreFirst], L"");
    for (int id = 1500; id <= 1536; ++id) EXPECT_FALSE(presenter.isProgramEdit(id)) << id;
}

TEST_F(ParamDialog, TypedCoordinatesProjectAndFillDepthAndRelativeDepth) {
    loadSlope();
    fields.type(kPeriod, L"10");
    EXPECT_EQ(fields.texts[kRelativeDepth], L"");  // no depth yet
    fields.type(1500, L"35");
    fields.type(1501, L"30");
    fields.type(1502, L"0");
    EXPECT_DOUBLE_EQ(estimationParams().quasiOffshorePoint.lat, 35.5);
    EXPECT_FALSE(fields.wasWritten(kQuasiOffshoreFirst + 6));
    const int redrawsBefore = host.redraws;
    fields.type(1503, L"139");
    fields.type(1504, L"45");
    fields.type(1505, L"0");
    const EstimationPoint& q = estimationParams().quasiOffshorePoint;
    EXPECT_DOUBLE_EQ(q.lon, 139.75);
    EXPECT_NEAR(q.north, 0.0, 1e-6);
    EXPECT_NEAR(q.east, 0.0, 1e-6);
    EXPECT_NEAR(q.depth, 20.0, 1e-6);
    EXPECT_EQ(fields.texts[kQuasiOffshoreFirst + 6], L"20.0");
    EXPECT_EQ(fields.texts[kRelativeDepth], L"0.128");
    EXPECT_EQ(host.redraws - redrawsBefore, 3);

    // The contour point there: the normal points east, towards deeper water.
    for (int i = 0; i < 6; ++i) fields.type(kContourFirst + i, fields.texts[1500 + i]);
    EXPECT_EQ(fields.texts[kContourFirst + 6], L"20.0");
    EXPECT_EQ(fields.texts[kThetaCon], L"90.0");

    // Emptying the seconds makes the longitude not set again.
    fields.type(1505, L"");
    EXPECT_EQ(q.lon, NOT_SET_LON);
    EXPECT_FALSE(q.isSet());
}

TEST_F(ParamDialog, ThetaDiffAndShoreNormalFollowEachOther) {
    fields.type(kThetaDiff, L"200");
    EXPECT_EQ(fields.texts[kShoreNormal], L"20.0");
    EXPECT_DOUBLE_EQ(estimationParams().shoreNormal, 20.0);
    fields.type(kThetaDiff, L"");
    EXPECT_EQ(fields.texts[kShoreNormal], L"");
    EXPECT_EQ(estimationParams().shoreNormal, NOT_SET_ANGLE);
    fields.type(kShoreNormal, L"350");
    EXPECT_EQ(fields.texts[kThetaDiff], L"170.0");
    for (int id = 1500; id <= 1536; ++id) EXPECT_FALSE(presenter.isProgramEdit(id)) << id;
}

TEST_F(ParamDialog, SettingFromTheMapIsUndoneOnce) {
    EstimationParams& p = estimationParams();
    MapPickRecord& pick = mapPick();
    pick.entry[1] = PickEntry{34.25, 135.5, 5.0, 100.0, 200.0};
    pick.primaryDirection = 0.0;  // deeper water to the east: shore normal 90°
    presenter.onCommand(kSetKindFirst + POINT_DIFFRACTION);
    EXPECT_EQ(p.diffractionPoint.lat, 34.25);
    EXPECT_EQ(p.diffractionPoint.north, 100.0);
    EXPECT_EQ(p.shoreNormal, 90.0);
    EXPECT_EQ(fields.texts[kShoreNormal], L"90.0");
    EXPECT_EQ(fields.texts[kThetaDiff], L"270.0");
    EXPECT_EQ(fields.texts[kDiffractionFirst], L"34");
    EXPECT_EQ(fields.texts[kDiffractionFirst + 1], L"15");
    EXPECT_EQ(fields.texts[kDiffractionFirst + 3], L"135");
    EXPECT_EQ(fields.texts[kDiffractionFirst + 6], L"5.0");

    // A second setting, then undo back to the first.
    pick.entry[1] = PickEntry{34.5, 135.75, 7.0, 300.0, 400.0};
    pick.primaryDirection = 90.0;
    presenter.onCommand(kSetKindFirst + POINT_DIFFRACTION);
    EXPECT_EQ(p.shoreNormal, 0.0);
    presenter.onCommand(kUndo);
    EXPECT_EQ(p.diffractionPoint.lat, 34.25);
    EXPECT_EQ(p.diffractionPoint.east, 200.0);
    EXPECT_EQ(p.shoreNormal, 90.0);
    EXPECT_EQ(fields.texts[kShoreNormal], L"90.0");
    EXPECT_EQ(fields.texts[kDiffractionFirst + 6], L"5.0");
    const auto writes = fields.textWrites.size();
    presenter.onCommand(kUndo);  // nothing left to undo
    EXPECT_EQ(fields.textWrites.size(), writes);
    EXPECT_EQ(p.diffractionPoint.lat, 34.25);
    for (int id = 1500; id <= 1536; ++id) EXPECT_FALSE(presenter.isProgramEdit(id)) << id;
}

TEST_F(ParamDialog, UndoOfTheFirstSettingLeavesTheAngleNotSet) {
    mapPick().entry[1] = PickEntry{34.25, 135.5, 5.0, 100.0, 200.0};
    presenter.onCommand(kSetKindFirst + POINT_CONTOUR);
    presenter.onCommand(kUndo);
    EXPECT_EQ(estimationParams().thetaCon, NOT_SET_ANGLE);  // not 279.9
    EXPECT_EQ(fields.texts[kThetaCon], L"");
    EXPECT_EQ(fields.texts[kContourFirst], L"");
    EXPECT_FALSE(estimationParams().contourPoint.isSet());
}

TEST_F(ParamDialog, OffshorePointFromTheMapWarnsOfShallowWaterOnlyWithAPeriod) {
    mapPick().entry[0] = PickEntry{34.0, 135.0, 20.0, 0.0, 0.0};
    presenter.onCommand(kSetKindFirst + POINT_OFFSHORE);
    EXPECT_TRUE(platform_.warnings.empty());
    fields.type(kPeriod, L"10");
    ASSERT_EQ(platform_.warnings.size(), 1u);  // the period's own deep-water test
    EXPECT_EQ(platform_.warnings[0].text, L"沖波地点の水深が深海条件を満たしていません。[h/L0=0.128<0.5]");
    presenter.onCommand(kSetKindFirst + POINT_OFFSHORE);
    EXPECT_EQ(platform_.warnings.size(), 2u);
}

TEST_F(ParamDialog, ClearEmptiesEverythingWithoutAMessage) {
    loadSlope();
    const wchar_t* typed[][2] = {{L"1500", L"35"},  {L"1501", L"30"}, {L"1502", L"0"},   {L"1503", L"139"},
                                 {L"1504", L"45"},  {L"1505", L"0"},  {L"1509", L"10"},  {L"1508", L"2"},
                                 {L"1528", L"200"}, {L"1519", L"45"}, {L"1536", L"150"}, {L"1510", L"30"}};
    for (const auto& t : typed) fields.type(std::stoi(t[0]), t[1]);
    fields.texts[kTitle] = L"keep";
    mapPick().entry[1] = PickEntry{35.5, 139.75, 20.0, 0.0, 0.0};
    presenter.onCommand(kSetKindFirst + POINT_DIFFRACTION);
    platform_.warnings.clear();

    presenter.onCommand(kClear);
    EXPECT_TRUE(platform_.warnings.empty());
    for (int id = 1500; id <= 1536; ++id) EXPECT_EQ(fields.text(id), L"") << id;
    for (int kind = 0; kind < 4; ++kind) EXPECT_FALSE(estimationParams().point(kind).isSet()) << kind;
    EXPECT_EQ(estimationParams().point(POINT_QUASI_OFFSHORE).depth, NOT_SET_DEPTH);
    EXPECT_EQ(estimationParams().thetaCon, NOT_SET_ANGLE);
    EXPECT_EQ(estimationParams().shoreNormal, NOT_SET_ANGLE);
    EXPECT_EQ(fields.texts[kTitle], L"keep");
    EXPECT_EQ(estimationParams().lastSetKind, POINT_DIFFRACTION);  // undo survives a clear
    for (int id = 1500; id <= 1536; ++id) EXPECT_FALSE(presenter.isProgramEdit(id)) << id;
}

TEST_F(ParamDialog, StartWithEverythingEmptyReportsTheEightRangeLines) {
    presenter.onCommand(1);
    ASSERT_EQ(platform_.warnings.size(), 1u);
    EXPECT_EQ(platform_.warnings[0].caption, L"簡易逆推定の実行");
    EXPECT_EQ(platform_.warnings[0].owner, fields.handle);
    EXPECT_EQ(platform_.warnings[0].text,
              L"平行等深線の垂線の方位角(θcon)が範囲(0-360)外です。(999.9)\n"
              L"仮想防波堤の法線方向(θdiff)が範囲(0-360)外です。(999.9)\n"
              L"防波堤先端から見た準沖波地点の方向角が範囲(0-360)外です。(999.9)\n"
              L"回折地点の水深が範囲(0-999)外です。(9999.9)\n"
              L"準沖波地点の水深が範囲(0-999)外です。(9999.9)\n"
              L"波高が範囲(0-99)外です。(999.9)\n"
              L"周期が範囲(0-99)外です。(999.9)\n"
              L"波向が範囲(0-360)外です。(999.9)\n");
    EXPECT_EQ(estimationWindows().paramDialogOpen, 1);  // the dialog stays open

    // Values beyond their ranges are clamped to the bound, and without the
    // diffraction point its three lines are left out.
    presenter.onCommand(kDiffractionOff);
    EXPECT_EQ(estimationParams().diffractionOff, 1);
    EXPECT_TRUE(fields.isChecked(kDiffractionOff));
    EXPECT_FALSE(fields.isChecked(kDiffractionOn));
    fields.texts[kHeight] = L"150";
    presenter.onCommand(1);
    ASSERT_EQ(platform_.warnings.size(), 2u);
    EXPECT_EQ(platform_.warnings[1].text.find(L"波高"), std::wstring::npos);
    EXPECT_EQ(platform_.warnings[1].text.find(L"θdiff"), std::wstring::npos);

    // A title Shift_JIS cannot hold names no solver file: refused by itself,
    // before the range checks.
    fields.texts[kTitle] = L"부산 港";
    presenter.onCommand(1);
    ASSERT_EQ(platform_.warnings.size(), 3u);
    EXPECT_EQ(platform_.warnings[2].text, L"タイトルにShift_JISで表せない文字が含まれています。[부산 港]");
    EXPECT_EQ(platform_.warnings[2].caption, L"簡易逆推定の実行");
}

TEST_F(ParamDialog, ARestoredCaseKeepsItsDepthsAndAnglesAndShowsItsPoints) {
    loadSlope();
    SpreadingRelationList& list = spreadingRelations();
    list.relationCount = 2;
    std::strcpy(list.relations[0].name, "A");
    std::strcpy(list.relations[1].name, "B");
    presenter.open();
    estimationParams().lastSetKind = 0;
    estimationWindows().resultDialogOpen = 1;

    ReopenedCase saved;
    const std::pair<int, const wchar_t*> texts[] = {
        {1500, L"35"},   {1501, L"30"},    {1502, L"00.0000"}, {1503, L"139"}, {1504, L"45"}, {1505, L"0"},
        {1506, L"12.3"}, {1507, L"30.0"},  {1508, L"2.5"},     {1509, L"10"},  {1510, L"90"}, {1518, L"25.0"},
        {1519, L"80.0"}, {1526, L"4.0"},   {1527, L"123.5"},   {1528, L"303.4"}};
    for (const auto& [id, text] : texts) saved.fieldTexts[id - 1500] = text;
    saved.diffractionOff = true;
    saved.relationIndex = 2;
    saved.title = L"港湾B";
    presenter.restoreCase(saved);

    const EstimationParams& p = estimationParams();
    // The report's depth, not the 20 m the contours give at that place.
    EXPECT_DOUBLE_EQ(p.quasiOffshorePoint.depth, 12.3);
    EXPECT_NEAR(p.quasiOffshorePoint.north, 0.0, 1e-6);  // projected: the marker shows
    EXPECT_NEAR(p.quasiOffshorePoint.east, 0.0, 1e-6);
    EXPECT_FALSE(p.contourPoint.isSet());
    EXPECT_DOUBLE_EQ(p.contourPoint.depth, 25.0);
    EXPECT_DOUBLE_EQ(p.thetaCon, 80.0);
    EXPECT_NEAR(p.shoreNormal, 123.4, 1e-9);  // from θdiff, which the solver gets
    EXPECT_EQ(p.offshorePoint.depth, NOT_SET_DEPTH);
    EXPECT_EQ(p.diffractionOff, 1);
    EXPECT_EQ(p.lastSetKind, -1);
    EXPECT_EQ(fields.texts[kTheta], L"30.0");  // θ as saved, not worked out again
    EXPECT_EQ(fields.texts[kRelativeDepth], L"0.079");  // 12.3 m at 10 s
    EXPECT_EQ(fields.texts[kShoreNormal], L"123.5");
    EXPECT_EQ(fields.selectedListEntry(kRelationList), 2);
    EXPECT_EQ(fields.texts[kTitle], L"港湾B");
    EXPECT_EQ(host.resultCloses, 1);
    EXPECT_TRUE(platform_.warnings.empty());
    for (int id = 1500; id <= 1536; ++id) EXPECT_FALSE(presenter.isProgramEdit(id)) << id;

    // The user's next edit is an edit again.
    fields.type(kContourFirst + 6, L"30");
    EXPECT_DOUBLE_EQ(p.contourPoint.depth, 30.0);
}

// Esc (2) is handled and keeps the dialog and its case; only 1499 closes it.
TEST_F(ParamDialog, OnlyTheMainWindowsCommandClosesTheDialog) {
    fields.type(1508, L"2.5");
    EXPECT_TRUE(presenter.onCommand(2));
    EXPECT_TRUE(presenter.onCommand(2));
    EXPECT_TRUE(host.ends.empty());
    EXPECT_EQ(estimationWindows().paramDialogOpen, 1);
    EXPECT_EQ(fields.texts[1508], L"2.5");
    presenter.onCommand(kClose);
    EXPECT_EQ(host.ends, (std::vector<int>{kClose}));
    EXPECT_EQ(estimationWindows().paramDialogOpen, -1);
    EXPECT_FALSE(presenter.onCommand(kRelationList));
}

}  // namespace
}  // namespace vornel
