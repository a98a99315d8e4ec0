#include "estimation/result_presenter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "bathymetry/spreading_relations.h"
#include "estimation/estimation_windows.h"
#include "estimation/params.h"
#include "platform/text.h"
#include "shell/app_state.h"
#include "support/fake_dialog_fields.h"
#include "support/recording_platform.h"

namespace vornel {
namespace {

using namespace result_ids;

// Relation 1 ("Sector") gives the sector number as its estimate; relation 2
// ("Fixed") gives `fixed` in every sector; relation 3 ("Log") is 2 ln(x) + 3.
class ResultDialog : public ::testing::Test {
protected:
    void SetUp() override {
        resetAppState();
        resetEstimationParams();
        resetEstimationResult();
        SpreadingRelationList& list = spreadingRelations();
        std::memset(&list, 0, sizeof list);
        list.relationCount = 3;
        copyField(list.relations[0].name, "Sector");
        copyField(list.relations[1].name, "Fixed");
        copyField(list.relations[2].name, "\x8a\xd6\x8c\x57");  // 関係 in Shift_JIS
        for (int s = 0; s < kMaxSectorRows; ++s) {
            list.relations[0].rows[s] = {"S", 0.0, static_cast<double>(s)};
            list.relations[2].rows[s] = {"S", 2.0, 3.0};
        }
        list.relations[0].rowCount = list.relations[2].rowCount = 16;
        list.relations[1].rowCount = 1;  // the other sectors stay zero
    }
    void TearDown() override {
        std::memset(&spreadingRelations(), 0, sizeof(SpreadingRelationList));
        resetAppState();
        resetEstimationParams();
        resetEstimationResult();
    }
    static void setFixed(double value) { spreadingRelations().relations[1].rows[0].intercept = value; }
    static SmaxEstimate fixedEstimate(int smax, double est) {
        setFixed(est);
        return estimateSmax(ResultRow{smax, 1.0, 0.0, 0}, 2, 10.0);
    }
    static double sectorOf(double thetaO) { return estimateSmax(ResultRow{50, 1.0, thetaO, 0}, 1, 10.0).value; }

    // A result of `rows` rows and `values` echo values; the period echo is 10 s.
    static void setResult(int rows, int values, const char* caseName, int relation) {
        EstimationResult& r = estimationResult();
        r.rowCount = rows;
        for (int i = 0; i < rows; ++i) r.rows[i] = ResultRow{10 + i, 1.0 + i / 1000.0, 20.5 + i, 0};
        r.valueCount = values;
        const char* echo[] = {"200.0", "190.0", "30.0", "5.0", "15.0", "1.50", "10.00", "45.0", "x"};
        for (int i = 0; i < values; ++i) copyField(r.values[i], echo[i < 8 ? i : 8]);
        copyField(r.caseName, caseName);
        r.runDirection = 45.0;
        r.relationIndex = relation;
    }

    RecordingPlatform rec_;
    FakeDialogFields dialog_;
};

TEST_F(ResultDialog, SectorBorders) {
    EXPECT_EQ(sectorOf(11.2), 0.0);
    EXPECT_EQ(sectorOf(11.25), 1.0);
    EXPECT_EQ(sectorOf(348.7), 15.0);
    EXPECT_EQ(sectorOf(348.75), 0.0);
    for (double theta : {350.0, -10.0, 360.0, -360.0, 0.0}) EXPECT_EQ(sectorOf(theta), 0.0) << theta;
    EXPECT_EQ(sectorOf(719.9), 0.0);
    // Beyond one correction each way there is no sector.
    for (double theta : {-360.5, 720.0, 1000.0, std::nan("")})
        EXPECT_EQ(estimateSmax(ResultRow{10, 1.0, theta, 0}, 1, 10.0).text, "******") << theta;
}

TEST_F(ResultDialog, AgreementIsStrictAndUsesTheFirstTypicalValue) {
    SmaxEstimate e = fixedEstimate(10, 14.9);
    EXPECT_EQ(e.text, "  14.9");
    EXPECT_EQ(e.mark, 1);
    EXPECT_EQ(estimateCellText(e), widen("  14.9\u3000\u3000\u25EF"));
    EXPECT_EQ(fixedEstimate(10, 15.0).mark, 0);
    EXPECT_EQ(fixedEstimate(10, 5.1).mark, 1);
    EXPECT_EQ(fixedEstimate(25, 32.4).mark, 1);
    EXPECT_EQ(fixedEstimate(25, 17.5).mark, 0);
    EXPECT_EQ(fixedEstimate(75, 94.9).mark, 1);
    EXPECT_EQ(fixedEstimate(50, 50.0).mark, 0);
    EXPECT_EQ(estimateCellText(fixedEstimate(50, 50.0)), L"  50.0");
}

TEST_F(ResultDialog, SixCharacterRule) {
    EXPECT_EQ(fixedEstimate(50, 9999.9).text, "9999.9");
    EXPECT_EQ(fixedEstimate(50, 10000.0).text, "******");
    EXPECT_EQ(fixedEstimate(50, -1000.0).text, "******");
    EXPECT_EQ(fixedEstimate(50, -99.9).text, " -99.9");
    // The wide text does not stop the agreement test, which uses the value.
    EXPECT_DOUBLE_EQ(fixedEstimate(50, 10000.0).value, 10000.0);
}

TEST_F(ResultDialog, LogarithmOfSteepnessAndMissingEstimates) {
    const double e = std::exp(1.0);
    EXPECT_NEAR(estimateSmax(ResultRow{10, e, 0.0, 0}, 3, 1.0).value, 5.0, 1e-12);
    // Ho/L not positive or not finite: no estimate and no mark, even where
    // the intercept alone would agree.
    setFixed(10.0);
    for (const auto& [ho, L] : {std::pair{0.0, 10.0}, {-1.0, 10.0}, {1.0, 0.0}, {1.0, -5.0}}) {
        const SmaxEstimate s = estimateSmax(ResultRow{10, ho, 0.0, 0}, 3, L);
        EXPECT_EQ(s.text, "******") << ho << " " << L;
        EXPECT_EQ(s.mark, 0);
    }
    // A sector beyond the relation's rows holds zeros; a relation outside the
    // store gives nothing.
    EXPECT_EQ(estimateSmax(ResultRow{10, 1.0, 90.0, 0}, 2, 10.0).text, "   0.0");
    EXPECT_EQ(estimateSmax(ResultRow{10, 1.0, 90.0, 0}, 0, 10.0).text, "******");
    EXPECT_EQ(estimateSmax(ResultRow{10, 1.0, 90.0, 0}, 21, 10.0).text, "******");
}

TEST_F(ResultDialog, InitialisationFillsEveryControl) {
    setResult(15, 9, "Case \x8a\xd6", 0);
    estimationParams().diffractionOff = 1;
    initialiseResultDialog(dialog_);
    EXPECT_EQ(dialog_.texts[1500], L"   10");
    EXPECT_EQ(dialog_.texts[1501], L"1.000");
    EXPECT_EQ(dialog_.texts[1502], L" 20.5");
    EXPECT_EQ(dialog_.texts[1500 + 33], L"   21");  // row 11, the last shown
    EXPECT_EQ(dialog_.texts[1535], L" 31.5");
    EXPECT_EQ(dialog_.texts[1536], L"200.0");
    for (int id : {1537, 1538, 1539}) EXPECT_EQ(dialog_.texts[id], L"  -  ") << id;
    EXPECT_EQ(dialog_.texts[1540], L"15.0");
    EXPECT_EQ(dialog_.texts[1542], L"10.00");
    EXPECT_EQ(dialog_.texts[1543], L"  45.0");
    EXPECT_EQ(dialog_.texts[1544], L"  -  ");
    EXPECT_EQ(dialog_.texts[1600], widen("計算結果(Case 関)"));
    EXPECT_EQ(dialog_.texts[1601], widen("入力パラメータ(Case 関)"));
    EXPECT_EQ(dialog_.lists[1602], (std::vector<std::wstring>{L"", L"Sector", L"Fixed", widen("関係")}));
    EXPECT_EQ(dialog_.selectedListEntry(1602), 0);
    EXPECT_FALSE(dialog_.wasWritten(1556));  // no control beyond the 12th estimate
}

TEST_F(ResultDialog, InitialisationWithARelationSetsEstimatesAndMarks) {
    setResult(3, 8, "", 2);
    estimationParams().offshorePoint.depth = 20.0;
    setFixed(12.0);  // sector 0 agrees with Smax 10 only
    EstimationResult& r = estimationResult();
    r.rows[0].thetaO = 0.0;
    r.rows[1].thetaO = 0.0;
    r.rows[1].smax = 50;
    r.rows[1].mark = 1;  // a stale mark is replaced
    initialiseResultDialog(dialog_);
    EXPECT_EQ(dialog_.selectedListEntry(1602), 2);
    EXPECT_EQ(dialog_.texts[1544], widen("  12.0\u3000\u3000\u25EF"));
    EXPECT_EQ(dialog_.texts[1545], L"  12.0");
    EXPECT_EQ(dialog_.texts[1546], L"   0.0");  // θo 22.5: a sector the relation lacks
    EXPECT_EQ(r.rows[0].mark, 1);
    EXPECT_EQ(r.rows[1].mark, 0);
    EXPECT_EQ(dialog_.texts[1600], widen("計算結果"));

    // No depth at the offshore point: the wavelength is 0, every row "******"
    // and the marks stay as they were.
    estimationParams().offshorePoint.depth = 0.0;
    initialiseResultDialog(dialog_);
    EXPECT_EQ(dialog_.texts[1544], L"******");
    EXPECT_EQ(dialog_.texts[1546], L"******");
    EXPECT_EQ(r.rows[0].mark, 1);
}

TEST_F(ResultDialog, RefreshWithLessDataShowsNoEarlierNumbers) {
    setResult(5, 8, "First", 1);
    estimationParams().offshorePoint.depth = 20.0;
    initialiseResultDialog(dialog_);
    ASSERT_EQ(dialog_.texts[1500 + 12], L"   14");
    ASSERT_NE(dialog_.texts[1548], L"  -  ");

    setResult(2, 3, "", 0);
    initialiseResultDialog(dialog_);
    EXPECT_EQ(dialog_.texts[1503], L"   11");
    for (int row = 2; row < 5; ++row) {
        EXPECT_EQ(dialog_.texts[1500 + 3 * row], L"   -");
        EXPECT_EQ(dialog_.texts[1501 + 3 * row], L"  -  ");
        EXPECT_EQ(dialog_.texts[1502 + 3 * row], L"  -  ");
    }
    for (int row = 0; row < 5; ++row) EXPECT_EQ(dialog_.texts[1544 + row], L"  -  ") << row;
    EXPECT_EQ(dialog_.texts[1538], L"30.0");
    for (int id = 1539; id <= 1542; ++id) EXPECT_EQ(dialog_.texts[id], L"  -  ") << id;
    EXPECT_EQ(dialog_.texts[1543], L"  45.0");
    EXPECT_EQ(dialog_.texts[1600], widen("計算結果"));
    EXPECT_EQ(dialog_.texts[1601], widen("入力パラメータ"));
}

TEST_F(ResultDialog, RelationChange) {
    setResult(2, 8, "", 0);
    estimationParams().offshorePoint.depth = 20.0;
    initialiseResultDialog(dialog_);
    setFixed(10.0);
    estimationResult().rows[0].thetaO = 0.0;
    onResultRelationChanged(dialog_, 2);
    EXPECT_EQ(estimationResult().relationIndex, 2);
    EXPECT_EQ(dialog_.texts[1544], widen("  10.0\u3000\u3000\u25EF"));
    EXPECT_EQ(estimationResult().rows[0].mark, 1);

    onResultRelationChanged(dialog_, 0);  // empties the column, keeps the marks
    EXPECT_EQ(estimationResult().relationIndex, 0);
    EXPECT_EQ(dialog_.texts[1544], L"");
    EXPECT_EQ(dialog_.texts[1545], L"");
    EXPECT_FALSE(dialog_.wasWritten(1546) && dialog_.texts[1546] == L"");
    EXPECT_EQ(estimationResult().rows[0].mark, 1);

    // No wavelength test here: without a depth every row has no estimate.
    estimationParams().offshorePoint.depth = 0.0;
    onResultRelationChanged(dialog_, 2);
    EXPECT_EQ(dialog_.texts[1544], L"******");
    EXPECT_EQ(estimationResult().rows[0].mark, 0);
}

TEST_F(ResultDialog, OpeningStateAndPlacement) {
    const WindowRef hwnd = dialog_.window();
    EXPECT_TRUE(noteResultDialogOpened(hwnd));
    EXPECT_EQ(estimationWindows().resultDialogOpen, 1);
    EXPECT_EQ(estimationWindows().resultDialog, hwnd);
    EXPECT_FALSE(noteResultDialogOpened(hwnd));  // a refresh keeps the place
    noteResultDialogClosed();
    EXPECT_EQ(estimationWindows().resultDialogOpen, -1);

    const DialogPlacement p = resultDialogPlacement(101, 701, 301, 501);
    EXPECT_EQ(p.left, 50 + 150);
    EXPECT_EQ(p.top, 350 - 250);
    const DialogPlacement q = resultDialogPlacement(-101, 300, 300, 1000);
    EXPECT_EQ(q.left, -50 + 150);  // halving truncates toward zero
    EXPECT_EQ(q.top, 0);
}

}  // namespace
}  // namespace vornel
