// The parameter and result dialogs under Wine: change reports of the edit
// fields, a run through the test solver and the real one, the relation
// column and the CSV report through the real save dialog.
#include <gtest/gtest.h>
#include <windows.h>
// imm.h takes its types from windows.h
#include <imm.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>

#include "bathymetry/contour_store.h"
#include "bathymetry/data_folder.h"
#include "bathymetry/spreading_relations.h"
#include "estimation/csv_report.h"
#include "estimation/dialog_scroller_win32.h"
#include "estimation/estimation_dialogs_win32.h"
#include "estimation/estimation_windows.h"
#include "estimation/params.h"
#include "estimation/result.h"
#include "estimation/solver_exchange.h"
#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/print_win32.h"
#include "tests/support/recording_platform.h"
#include "win32_test_support.h"

namespace vornel {
namespace {

std::map<int, int> changeReports;

INT_PTR CALLBACK countingProcedure(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) ++changeReports[LOWORD(wParam)];
    return FALSE;
}

// The program-edit flags need exactly one change report per SetWindowText,
// also when the text stays the same.
TEST(ParameterDialogWin32, EverySetWindowTextOfAFieldReportsOneChange) {
    HWND dialog =
        CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PARAMETERS), nullptr, countingProcedure, 0);
    ASSERT_NE(dialog, nullptr);
    changeReports.clear();
    for (int id = 1500; id <= 1536; ++id) {
        if (id == 1529) continue;
        ASSERT_NE(GetDlgItem(dialog, id), nullptr) << id;
        SetDlgItemTextW(dialog, id, L"12");
        SetDlgItemTextW(dialog, id, L"12");  // unchanged
        SetDlgItemTextW(dialog, id, L"");
        SetDlgItemTextW(dialog, id, L"");  // empty stays empty
        EXPECT_EQ(changeReports[id], 4) << id;
    }
    EXPECT_EQ(GetDlgItem(dialog, 1529), nullptr);
    // The radio buttons are set by the dialog, never by themselves.
    EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, 1800), GWL_STYLE) & BS_TYPEMASK, BS_RADIOBUTTON);
    EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, 1801), GWL_STYLE) & BS_TYPEMASK, BS_RADIOBUTTON);
    EXPECT_EQ(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU, 0);
    DestroyWindow(dialog);
}

std::wstring itemText(HWND dialog, int id) {
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

HWND waitForWindow(const std::wstring& caption, int timeoutMs = 15000) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        if (HWND hwnd = test::findOwnWindow(caption)) {
            Sleep(300);
            return hwnd;
        }
        Sleep(50);
    }
    return nullptr;
}

bool waitUntilGone(HWND hwnd, int timeoutMs = 10000) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
    while (IsWindow(hwnd) && IsWindowVisible(hwnd) && static_cast<LONG>(end - GetTickCount()) > 0) Sleep(50);
    return !IsWindowVisible(hwnd);
}

// A wheel notch over `control`, as the mouse sends it: towards the user
// (down the list) for a negative `notches`.
void wheelOver(HWND control, int notches) {
    RECT r;
    GetWindowRect(control, &r);
    SendMessageW(control, WM_MOUSEWHEEL, MAKEWPARAM(0, notches * WHEEL_DELTA), MAKELPARAM(r.left + 5, r.top + 5));
}

std::string sjis(const wchar_t* text) {
    char bytes[512] = {};
    WideCharToMultiByte(932, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

class EstimationDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        resetAppState();
        resetEstimationParams();
        resetEstimationResult();
        resetContourStore();
        installEstimationDialogs();
        // 10 m and 30 m contours 50 m west and east of the data origin: 20 m deep there.
        ContourStore& store = contourStore();
        const float lines[2][2] = {{-50.0f, 10.0f}, {50.0f, 30.0f}};
        for (const auto& line : lines)
            for (int v = 0; v <= 20; ++v)
                store.points[store.contourPointCount++] =
                    ContourPoint{line[0], float((v - 10) * 100), line[1], 0, v == 0 ? 1 : 0};
        store.projectionOrigin = {35.5, 139.75};
        // One relation: Smax 12 in every sector but 30 in the west.
        SpreadingRelationList& list = spreadingRelations();
        std::memset(&list, 0, sizeof list);
        list.relationCount = 1;
        std::strcpy(list.relations[0].name, sjis(L"合田式").c_str());
        list.relations[0].rowCount = 16;
        for (int s = 0; s < 16; ++s) list.relations[0].rows[s] = {"S", 0.0, s == 12 ? 30.0 : 12.0};
    }
    void TearDown() override {
        resetContourStore();
        std::memset(&spreadingRelations(), 0, sizeof(SpreadingRelationList));
        resetAppState();
        resetEstimationParams();
        resetEstimationResult();
    }

    // A run folder holding `solver` as zelvo_v3.exe.
    std::wstring prepareFolder(const std::wstring& name, const std::wstring& solver) {
        const std::wstring folder = test::enterRunFolder(name);
        dataFolders().programFolder = folder;
        EXPECT_TRUE(
            CopyFileW((test::buildFolder() + L"\\" + solver).c_str(), (folder + L"\\zelvo_v3.exe").c_str(), FALSE));
        return folder;
    }

    // Types the wave and a quasi-offshore point 20 m deep; the diffraction
    // point is left out. Runs on the watcher thread.
    static void typeInputs(HWND dialog, const wchar_t* direction) {
        SendMessageW(GetDlgItem(dialog, 1801), BM_CLICK, 0, 0);
        const std::pair<int, const wchar_t*> typed[] = {
            {1509, L"10"}, {1500, L"35"},  {1501, L"30"},  {1502, L"0"},      {1503, L"139"}, {1504, L"45"},
            {1505, L"0"},  {1519, L"200"}, {1508, L"2.0"}, {1510, direction}, {1512, L"35"},  {1513, L"30"},
            {1514, L"0"},  {1515, L"139"}, {1516, L"45"},  {1517, L"0"},      {1536, L"150"}, {1539, L"Run1"}};
        for (const auto& [id, text] : typed)
            SendDlgItemMessageW(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }

    static void chooseRelation(HWND result, int index) {
        HWND list = GetDlgItem(result, 1602);
        SendMessageW(list, CB_SETCURSEL, index, 0);
        SendMessageW(result, WM_COMMAND, MAKEWPARAM(1602, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
};

// A solver that never returns: the windows keep answering while it runs, it
// is ended at the limit with a box that names it, and the dialog keeps every
// typed value for another try.
TEST_F(EstimationDialogs, ASolverThatNeverReturnsIsEndedAtTheLimit) {
    const std::wstring folder = prepareFolder(L"solver-never-returns", L"fake_solver.exe");
    std::ofstream((folder + L"\\fake-hang").c_str()) << "x";
    std::ofstream((folder + L"\\fake-out.tmp").c_str(), std::ios::binary) << "  Smax Ho thetaO\n   10 2.5 45.0\n";
    RecordingPlatform boxes;
    const auto shipped = solverTimeLimit();
    solverTimeLimit() = std::chrono::seconds(3);
    std::map<int, std::wstring> before, after;
    bool answeredWhileRunning = false;
    DWORD runMs = 0;
    const bool shown = test::whileWindowShows(
        L"VORNELパラメータ", [] { openParameterDialog(nullptr); },
        [&](HWND dialog) {
            typeInputs(dialog, L"180");
            for (int id = 1500; id <= 1539; ++id) before[id] = itemText(dialog, id);
            const DWORD start = GetTickCount();
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            Sleep(1000);
            // What Windows asks before it calls a window "not responding".
            DWORD_PTR ignored = 0;
            answeredWhileRunning = boxes.warnings.empty() &&
                                   SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored) != 0;
            test::waitFor([&] { return !boxes.warnings.empty(); }, 20000);
            runMs = GetTickCount() - start;
            for (int id = 1500; id <= 1539; ++id) after[id] = itemText(dialog, id);
            PostMessageW(dialog, WM_COMMAND, IDM_CLOSE_DIALOG, 0);
        },
        40000);
    solverTimeLimit() = shipped;
    ASSERT_TRUE(shown);
    EXPECT_TRUE(answeredWhileRunning);
    ASSERT_EQ(boxes.warnings.size(), 1u);
    EXPECT_EQ(boxes.warnings[0].caption, L"簡易逆推定の実行");
    EXPECT_NE(boxes.warnings[0].text.find(L"3秒以内に終わらなかった"), std::wstring::npos);
    EXPECT_NE(boxes.warnings[0].text.find(folder + L"\\zelvo_v3.exe"), std::wstring::npos);
    EXPECT_GE(runMs, 2900u);
    EXPECT_EQ(estimationWindows().resultDialogOpen, -1) << "the output it left was read";
    EXPECT_EQ(after, before);
    EXPECT_FALSE(test::processRuns(L"zelvo_v3.exe")) << "the solver was not ended";
}

TEST_F(EstimationDialogs, RunThroughTheTestSolverShowsResultsAndSavesTheReport) {
    const std::wstring folder = prepareFolder(L"estimation-dialogs", L"fake_solver.exe");
    DeleteFileW((folder + L"\\report.csv").c_str());  // an earlier run's report would be asked about
    {
        std::ofstream out((folder + L"\\fake-out.tmp").c_str(), std::ios::binary);
        out << "  Smax     Ho  thetaO\n   10  2.500   45.0\n   25  1.800  270.0\n   75  1.234   90.0\n\n*****\n"
               "Run1\nazim**200.0\nangl**999.0\nsit***0.0\nhh_B**0.0\nhh_A**20.0\nh13***2.00\nt13***10.00\n"
               "dir***180.0\n";
    }
    std::map<int, std::wstring> param, cells, withRelation, withoutRelation;
    std::map<int, int> relationAfterWheel;
    std::string report;
    bool resultShown = false, saveShown = false;
    const bool shown = test::whileWindowShows(
        L"VORNELパラメータ", [] { openParameterDialog(nullptr); },
        [&](HWND dialog) {
            typeInputs(dialog, L"180");
            for (int id : {1500, 1506, 1511, 1507, 1518, 1519}) param[id] = itemText(dialog, id);
            test::saveWindowImage(dialog, L"parameter-dialog");
            // The wheel over the closed relation list changes nothing.
            wheelOver(GetDlgItem(dialog, 1601), -1);
            relationAfterWheel[1601] = static_cast<int>(SendDlgItemMessageW(dialog, 1601, CB_GETCURSEL, 0, 0));

            PostMessageW(dialog, WM_COMMAND, IDOK, 0);  // 計算開始: the result dialog opens modally
            HWND result = waitForWindow(L"簡易逆推定結果");
            resultShown = result != nullptr;
            if (result) {
                for (int id :
                     {1500, 1501, 1502, 1503, 1506, 1508, 1509, 1536, 1537, 1540, 1542, 1543, 1544, 1600, 1601})
                    cells[id] = itemText(result, id);
                chooseRelation(result, 1);
                wheelOver(GetDlgItem(result, 1602), 1);  // up, towards no relation
                relationAfterWheel[1602] = static_cast<int>(SendDlgItemMessageW(result, 1602, CB_GETCURSEL, 0, 0));
                for (int id : {1544, 1545, 1546, 1547}) withRelation[id] = itemText(result, id);
                chooseRelation(result, 0);
                withoutRelation[1544] = itemText(result, 1544);
                chooseRelation(result, 1);
                test::saveWindowImage(result, L"result-dialog");

                PostMessageW(result, WM_COMMAND, 1800, 0);  // CSV出力
                HWND save = waitForWindow(L"簡易逆推定結果のCSVファイル出力");
                saveShown = save != nullptr;
                if (save) {
                    const std::wstring name = folder + L"\\report";
                    SendDlgItemMessageW(save, 1148, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
                    PostMessageW(save, WM_COMMAND, IDOK, 0);
                    waitUntilGone(save);
                    Sleep(300);
                }
                PostMessageW(result, WM_COMMAND, IDCANCEL, 0);
                waitUntilGone(result);
            }
            PostMessageW(dialog, WM_COMMAND, IDM_CLOSE_DIALOG, 0);
        },
        30000);
    ASSERT_TRUE(shown);
    EXPECT_EQ(estimationWindows().paramDialogOpen, -1);
    EXPECT_EQ(estimationWindows().resultDialogOpen, -1);

    EXPECT_EQ(param[1500], L"35");
    EXPECT_EQ(param[1506], L"20.0");
    EXPECT_EQ(param[1511], L"0.128");
    EXPECT_EQ(param[1518], L"20.0");
    EXPECT_EQ(param[1519], L"90.0");  // the contour point's normal replaced the typed 200

    ASSERT_TRUE(resultShown);
    EXPECT_EQ(cells[1500], L"   10");
    EXPECT_EQ(cells[1501], L"2.500");
    EXPECT_EQ(cells[1502], L" 45.0");
    EXPECT_EQ(cells[1503], L"   25");
    EXPECT_EQ(cells[1506], L"   75");
    EXPECT_EQ(cells[1509], L"   -");  // row 3 does not exist
    EXPECT_EQ(cells[1536], L"200.0");
    EXPECT_EQ(cells[1537], L"  -  ");  // without the diffraction point
    EXPECT_EQ(cells[1540], L"20.0");
    EXPECT_EQ(cells[1542], L"10.00");
    EXPECT_EQ(cells[1543], L" 180.0");
    EXPECT_EQ(cells[1544], L"  -  ");
    EXPECT_EQ(cells[1600], L"計算結果(Run1)");
    EXPECT_EQ(cells[1601], L"入力パラメータ(Run1)");
    EXPECT_EQ(relationAfterWheel[1601], 0) << "the wheel chose a relation in the parameter dialog";
    EXPECT_EQ(relationAfterWheel[1602], 1) << "the wheel changed the result dialog's relation";
    EXPECT_EQ(withRelation[1544], L"  12.0\u3000\u3000\u25EF");
    EXPECT_EQ(withRelation[1545], L"  30.0\u3000\u3000\u25EF");
    EXPECT_EQ(withRelation[1546], L"  12.0");
    EXPECT_EQ(withRelation[1547], L"  -  ");
    EXPECT_EQ(withoutRelation[1544], L"");

    ASSERT_TRUE(saveShown);
    EXPECT_EQ(csvFileName(), folder + L"\\report.csv");
    EXPECT_EQ(lastCsvFolder(), folder);
    report = test::readFileBytes(folder + L"\\report.csv");
    EXPECT_EQ(report.substr(0, 18), sjis(L"VORNELパラメータ\r\n"));
    EXPECT_NE(report.find(sjis(L"\r\n緯度, 35°30′ 0″\r\n経度,139°45′ 0″\r\n水深,20.0 m\r\n")), std::string::npos);
    EXPECT_NE(report.find(sjis(L"\r\n回折地点\r\n設定しない\r\n")), std::string::npos);
    EXPECT_NE(report.find(sjis(L"\r\n方向集中度パラメータの関係式\r\n\r\n")), std::string::npos);
    EXPECT_NE(report.find(sjis(L"\r\n計算タイトル\r\nRun1\r\n")), std::string::npos);
    const std::string results = sjis(
        L"計算結果(Run1)\r\nSmax,Ho,θo,推定式Smax\r\n   10,2.500, 45.0,  12.0,◯\r\n"
        L"   25,1.800,270.0,  30.0,◯\r\n   75,1.234, 90.0,  12.0\r\n--------------------------------\r\nプログラム,VORNEL ");
    EXPECT_NE(report.find(results), std::string::npos);
    // The test solver has no version resource and writes no response curves.
    EXPECT_NE(report.find(sjis(L",zelvo_v3.exe,")), std::string::npos);
    const std::string tail = sjis(
        L"全体波高\r\nSmax,Ho,θo,全体Ho\r\n   10,2.500, 45.0,\r\n   25,1.800,270.0,\r\n   75,1.234, 90.0,\r\n注意\r\nなし\r\n");
    ASSERT_GE(report.size(), tail.size());
    EXPECT_EQ(report.substr(report.size() - tail.size()), tail);
    // Back in the program folder after the save dialog.
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(std::wstring(current), folder);
}

// The real solver: a 2 m, 10 s wave from near the contour normal at 20 m.
TEST_F(EstimationDialogs, RunThroughTheRealSolverShowsItsCandidates) {
    prepareFolder(L"estimation-real-solver", L"solver\\zelvo_v3.exe");
    std::wstring smax, ho, theta, period;
    bool resultShown = false;
    const bool shown = test::whileWindowShows(
        L"VORNELパラメータ", [] { openParameterDialog(nullptr); },
        [&](HWND dialog) {
            typeInputs(dialog, L"95");  // θcon is 90 here
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            HWND result = waitForWindow(L"簡易逆推定結果", 60000);
            resultShown = result != nullptr;
            if (result) {
                smax = itemText(result, 1500);
                ho = itemText(result, 1501);
                theta = itemText(result, 1502);
                period = itemText(result, 1542);
                chooseRelation(result, 1);
                test::saveWindowImage(result, L"result-dialog-real-solver");
                PostMessageW(result, WM_COMMAND, IDCANCEL, 0);
                waitUntilGone(result);
            }
            PostMessageW(dialog, WM_COMMAND, IDM_CLOSE_DIALOG, 0);
        },
        90000);
    ASSERT_TRUE(shown);
    ASSERT_TRUE(resultShown);
    const EstimationResult& r = estimationResult();
    ASSERT_GE(r.rowCount, 1);
    EXPECT_EQ(smax, L"   10");
    EXPECT_GT(_wtof(ho.c_str()), 1.0);
    EXPECT_LT(_wtof(ho.c_str()), 4.0);
    EXPECT_EQ(period.substr(0, 2), L"10");
    for (int i = 0; i < std::min(r.rowCount, 12); ++i) {
        EXPECT_TRUE(r.rows[i].smax == 10 || r.rows[i].smax == 25 || r.rows[i].smax == 75);
        EXPECT_GE(r.rows[i].thetaO, 0.0);
        EXPECT_LT(r.rows[i].thetaO, 360.0);
    }
}

// Saving a second case under the first one's name, typed without its
// extension as the guide tells: the dialog asks before the report is
// replaced; No keeps it and goes back to the dialog, Yes replaces it.
TEST_F(EstimationDialogs, ASecondSaveUnderTheSameNameAsksBeforeReplacing) {
    const std::wstring folder = test::enterRunFolder(L"csv-replace");
    dataFolders().programFolder = folder;
    const std::wstring report = folder + L"\\kekka.csv";
    std::ofstream(report.c_str(), std::ios::binary) << "first case";
    csvFileName().clear();
    lastCsvFolder() = folder;
    const std::wstring caption = L"簡易逆推定結果のCSVファイル出力";
    int chosen[2] = {0, 0};
    bool asked[2] = {false, false}, backInDialog = false;
    for (int round = 0; round < 2; ++round) {
        const bool shown = test::whileWindowShows(
            caption, [&] { chosen[round] = chooseCsvFile(nullptr); },
            [&](HWND save) {
                SendDlgItemMessageW(save, 1148, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"kekka"));
                PostMessageW(save, WM_COMMAND, IDOK, 0);
                HWND prompt = nullptr;
                asked[round] =
                    test::waitFor([&] { return (prompt = test::findOwnWindow(caption, save)) != nullptr; }, 5000);
                if (!prompt) {
                    PostMessageW(save, WM_COMMAND, IDCANCEL, 0);
                    return;
                }
                Sleep(300);
                if (round == 0) test::saveWindowImage(prompt, L"csv-replace-prompt");
                PostMessageW(prompt, WM_COMMAND, round == 0 ? IDNO : IDYES, 0);
                waitUntilGone(prompt);
                if (round == 0) {
                    Sleep(300);
                    backInDialog = IsWindow(save) && IsWindowVisible(save);
                    HWND open = nullptr;
                    test::waitFor([&] { return (open = test::findOwnWindow(caption)) != nullptr; }, 5000);
                    if (open) PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
                }
            });
        ASSERT_TRUE(shown);
    }
    EXPECT_TRUE(asked[0]) << "the report was about to be replaced without a question";
    EXPECT_TRUE(backInDialog);
    EXPECT_EQ(chosen[0], -1);
    EXPECT_EQ(test::readFileBytes(report), "first case");
    EXPECT_TRUE(asked[1]);
    EXPECT_EQ(chosen[1], 0);
    EXPECT_EQ(csvFileName(), report);
}

// With the input method on, the period key gives 「。」: 「２。５」 is 2.5 m in
// the solver's input, and 「2,5」 is refused with a box naming the field.
TEST_F(EstimationDialogs, AFullWidthHeightRunsAsTypedAndTwoNumbersAreRefused) {
    const std::wstring folder = prepareFolder(L"full-width-height", L"fake_solver.exe");
    std::ofstream((folder + L"\\fake-out.tmp").c_str(), std::ios::binary) << "  Smax Ho thetaO\n   10 2.5 45.0\n";
    RecordingPlatform boxes;
    std::wstring refusedField;
    const bool shown = test::whileWindowShows(
        L"VORNELパラメータ", [] { openParameterDialog(nullptr); },
        [&](HWND dialog) {
            typeInputs(dialog, L"180");
            SendDlgItemMessageW(dialog, 1508, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"2,5"));
            refusedField = itemText(dialog, 1508);
            SendDlgItemMessageW(dialog, 1508, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\uFF12\u3002\uFF15"));
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            if (HWND result = waitForWindow(L"簡易逆推定結果")) {
                PostMessageW(result, WM_COMMAND, IDCANCEL, 0);
                waitUntilGone(result);
            }
            PostMessageW(dialog, WM_COMMAND, IDM_CLOSE_DIALOG, 0);
        });
    ASSERT_TRUE(shown);
    ASSERT_EQ(boxes.warnings.size(), 1u);
    EXPECT_EQ(boxes.warnings[0].caption, L"数値の入力");
    EXPECT_EQ(boxes.warnings[0].text.substr(0, 15), L"準沖波地点の波高の値[2,5]");
    EXPECT_EQ(refusedField, L"");
    EXPECT_NE(test::readFileBytes(folder + L"\\zelvo-in.txt").find("h13***| 2.50"), std::string::npos);
}

// A screen that gets lower (a monitor unplugged, the taskbar grown) fits the
// open dialog again: it scrolls, a click on a field half in view takes the
// field where it is, and its print still holds all of it, as the dialog
// that fitted; the screen back as it was, the dialog is whole again.
TEST_F(EstimationDialogs, ALowerScreenScrollsTheDialogWhosePrintStillHoldsEverything) {
    RECT original{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &original, 0);
    WindowImage before, after;
    int fullHeight = 0, lowHeight = 0, positionBeforeClick = -1, positionAfterClick = -2;
    bool scrolled = false, wholeAgain = false;
    HWND focusAfterClick = nullptr;
    int focusedId = 0;
    const auto position = [](HWND dialog) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_POS;
        return GetScrollInfo(dialog, SB_VERT, &info) ? info.nPos : -1;
    };
    const bool shown = test::whileWindowShows(
        L"VORNELパラメータ", [] { openParameterDialog(nullptr); },
        [&](HWND dialog) {
            typeInputs(dialog, L"180");
            captureWindowImage(dialog, before);
            fullHeight = windowRectOf(dialog).height();
            // So low that the view ends across the middle of the title field.
            HWND title = GetDlgItem(dialog, 1539);
            RECT field{}, client{};
            GetWindowRect(title, &field);
            GetClientRect(dialog, &client);
            POINT clientBottom{0, client.bottom};
            ClientToScreen(dialog, &clientBottom);
            const int frameBelow = windowRectOf(dialog).bottom - clientBottom.y;
            RECT low = original;
            low.top = windowRectOf(dialog).top;
            low.bottom = (field.top + field.bottom) / 2 + frameBelow;
            SystemParametersInfoW(SPI_SETWORKAREA, 0, &low, 0);
            test::sendWithTimeout(dialog, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
            scrolled = (GetWindowLongW(dialog, GWL_STYLE) & WS_VSCROLL) != 0;
            lowHeight = windowRectOf(dialog).height() - (low.bottom - low.top);

            // A click on the upper half of the title field, the lower one out of view.
            positionBeforeClick = position(dialog);
            GetWindowRect(title, &field);
            SetForegroundWindow(dialog);
            SetCursorPos(field.left + 10, field.top + 3);
            INPUT click[2] = {};
            click[0].type = click[1].type = INPUT_MOUSE;
            click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
            click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
            SendInput(2, click, sizeof(INPUT));
            test::waitFor(
                [&] {
                    GUITHREADINFO gui{};
                    gui.cbSize = sizeof gui;
                    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
                    focusAfterClick = gui.hwndFocus;
                    return focusAfterClick == title;
                },
                3000);
            test::sendWithTimeout(dialog, WM_NULL);
            positionAfterClick = position(dialog);
            focusedId = GetDlgCtrlID(focusAfterClick);
            test::sendWithTimeout(dialog, WM_VSCROLL, SB_BOTTOM);
            captureWindowImage(dialog, after);
            SystemParametersInfoW(SPI_SETWORKAREA, 0, &original, 0);
            test::sendWithTimeout(dialog, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
            wholeAgain =
                !(GetWindowLongW(dialog, GWL_STYLE) & WS_VSCROLL) && windowRectOf(dialog).height() == fullHeight;
            test::saveWindowImage(dialog, L"parameter-dialog-refitted");
            PostMessageW(dialog, WM_COMMAND, IDM_CLOSE_DIALOG, 0);
        });
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &original, 0);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(scrolled) << "the dialog did not fit the lower screen";
    EXPECT_LE(lowHeight, 0) << "the dialog passes the lower screen";
    EXPECT_EQ(positionAfterClick, positionBeforeClick) << "the click made the dialog jump";
    EXPECT_EQ(focusedId, 1539) << "the click did not reach the title field";
    EXPECT_TRUE(wholeAgain);
    ASSERT_EQ(after.width, before.width);
    ASSERT_EQ(after.height, before.height) << "the print of the scrolled dialog is cut";
    std::size_t differing = 0;
    for (std::size_t i = 0; i < before.pixels.size(); ++i) differing += before.pixels[i] != after.pixels[i];
    EXPECT_LT(differing, before.pixels.size() / 100) << differing << " pixels differ";
}

// The input method: off in the numeric fields, and back on in the title for
// a user who had it on (the fields share the thread's input context). Read
// from the watcher's thread, as only reading works across threads.
TEST_F(EstimationDialogs, TheTitleGetsItsInputMethodBack) {
    {
        // The user types Japanese before the dialog opens.
        HWND before = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        HIMC context = ImmGetContext(before);
        ASSERT_NE(context, nullptr);
        ImmSetOpenStatus(context, TRUE);
        ImmReleaseContext(before, context);
        DestroyWindow(before);
    }
    int inNumber = -1, inTitle = -1, inNumberAgain = -1;
    const bool shown = test::whileWindowShows(
        L"VORNELパラメータ", [] { openParameterDialog(nullptr); },
        [&](HWND dialog) {
            const auto focus = [&](int id) {
                test::sendWithTimeout(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
                HWND field = GetDlgItem(dialog, id);
                HIMC context = ImmGetContext(field);
                const int open = context ? (ImmGetOpenStatus(context) ? 1 : 0) : -1;
                if (context) ImmReleaseContext(field, context);
                return open;
            };
            inNumber = focus(1508);
            inTitle = focus(1539);
            inNumberAgain = focus(1509);
            PostMessageW(dialog, WM_COMMAND, IDM_CLOSE_DIALOG, 0);
        });
    ASSERT_TRUE(shown);
    EXPECT_EQ(inNumber, 0);
    EXPECT_EQ(inTitle, 1) << "the title kept the numbers' input method";
    EXPECT_EQ(inNumberAgain, 0);
}

}  // namespace
}  // namespace vornel
