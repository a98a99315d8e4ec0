// VORNEL on the PCs engineers have: an English or UTF-8 system code page and
// folder names Shift_JIS lacks, and laptop screens lower than the parameter
// dialog. Each test drives the real windows on the sample data, as a user
// would, from a driver thread (see real_flow_test.cpp for the pattern).
//
// CTest runs this file's tests in the normal Wine run (ja_JP, 1280 x 1024)
// and again under en_US (code page 1252) and on 1366 x 768, 1280 x 720 and
// 1280 x 672 screens, each in a Wine prefix and Xvfb of its own
// (tools/wine-run.sh).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <set>
#include <string>
#include <vector>

#include "bathymetry/contour_store.h"
#include "bathymetry/data_folder.h"
#include "bathymetry/harbour_list.h"
#include "bathymetry/m7000_list.h"
#include "estimation/dialog_scroller_win32.h"
#include "estimation/estimation_windows.h"
#include "estimation/params.h"
#include "estimation/batch_estimation.h"
#include "estimation/result.h"
#include "estimation/case_report_reader.h"
#include "estimation/run_record.h"
#include "estimation/sensitivity.h"
#include "estimation/solver_run.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/main_window_win32.h"
#include "tests/support/recording_platform.h"
#include "win32_test_support.h"

namespace vornel {
namespace {

using test::controlText;
using test::waitFor;

const wchar_t kParamCaption[] = L"VORNELパラメータ";
const wchar_t kResultCaption[] = L"簡易逆推定結果";
const wchar_t kSaveCaption[] = L"簡易逆推定結果のCSVファイル出力";
constexpr int kSaveNameEdit = 1148;
constexpr int kPickerNameEdit = 1152;
constexpr int kCsvButton = 1800;

void setText(HWND dialog, int id, const std::wstring& text) {
    test::sendWithTimeout(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool inside(const ScreenRect& inner, const ScreenRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The dialog's client area on the screen: what of its contents shows.
ScreenRect visibleClient(HWND dialog) {
    RECT r{};
    GetClientRect(dialog, &r);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

// The height `dialog` has on screen when its contents (`dluHeight` dialog
// units high) show whole: contents plus caption and frame.
int fullHeight(HWND dialog, int dluHeight) {
    RECT contents{0, 0, 0, dluHeight}, window{}, client{};
    MapDialogRect(dialog, &contents);
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    return contents.bottom + (window.bottom - window.top) - client.bottom;
}

std::wstring screenName(const ScreenRect& r) {
    return std::to_wstring(r.width()) + L"x" + std::to_wstring(r.height());
}

std::string describe(const std::vector<RecordedWarning>& warnings) {
    std::string text;
    for (const RecordedWarning& w : warnings)
        text += "[" + test::narrow(w.caption) + "] " + test::narrow(w.text) + "\n";
    return text;
}

class OnAnyPc : public ::testing::Test {
protected:
    // A program folder named with letters Shift_JIS lacks, holding the sample
    // data and the real solver; one per code page and screen, as CTest runs
    // those side by side.
    void SetUp() override {
        folder_ = test::enterRunFolder(L"any-pc-Zoë-한국-" + std::to_wstring(GetACP()) + L"-" +
                                       screenName(workAreaOf(GetDesktopWindow())));
        test::copySampleData(folder_);
        ASSERT_TRUE(CopyFileW((test::buildFolder() + L"\\solver\\zelvo_v3.exe").c_str(),
                              (folder_ + L"\\zelvo_v3.exe").c_str(), FALSE));
        DeleteFileW((folder_ + L"\\report.csv").c_str());
        resetAppState();
        resetM7000Lists();
        resetEstimationParams();
        resetEstimationResult();
        resetContourStore();
    }
    void TearDown() override {
        if (main_) DestroyWindow(main_);
        test::pumpMessages(100);
        resetContourStore();
        resetEstimationParams();
        resetAppState();
    }

    // The main window as the program makes it: default place and size.
    void createMain() {
        main_ = createMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
        ASSERT_NE(main_, nullptr);
        test::pumpMessages(300);
    }

    // Chooses 鹿島 from the harbour menu; the parameter dialog opens.
    HWND chooseKashima() {
        int kashima = -1;
        for (int i = 0; i < harbourList().harbourCount; ++i)
            if (platform().fromCp932(harbourList().records[i].name) == L"鹿島") kashima = i;
        EXPECT_GE(kashima, 0) << "鹿島 is not among the harbours";
        PostMessageW(main_, WM_COMMAND, IDM_HARBOUR_FIRST + kashima, 0);
        HWND dialog = nullptr;
        EXPECT_TRUE(waitFor([&] { return (dialog = test::findOwnWindow(kParamCaption)) != nullptr; }, 20000))
            << "the parameter dialog did not open";
        waitFor([] { return contourStore().contourPointCount > 0; });
        Sleep(300);
        return dialog;
    }

    // A case off 鹿島 typed as a user would: the wave, the relation and the
    // title first, then the coordinates of three points (the depths and θcon
    // come from the map); no diffraction point.
    // With `fullWidth` every digit and point as a Japanese input method in
    // full-width mode types them (「２．５」).
    static void typeKashimaCase(HWND dialog, bool fullWidth = false) {
        const auto typed = [fullWidth](const wchar_t* ascii) {
            std::wstring text(ascii);
            if (fullWidth)
                for (wchar_t& c : text) c = c == L'.' ? L'．' : static_cast<wchar_t>(c - L'0' + L'０');
            return text;
        };
        test::sendWithTimeout(GetDlgItem(dialog, 1801), BM_CLICK);
        setText(dialog, 1508, typed(L"2.5"));
        setText(dialog, 1509, typed(L"10"));
        setText(dialog, 1510, typed(L"80"));
        test::sendWithTimeout(GetDlgItem(dialog, 1601), CB_SETCURSEL, 1);
        setText(dialog, 1539, L"鹿島試験");
        const std::pair<int, const wchar_t*> points[] = {
            {1500, L"35"}, {1501, L"54"}, {1502, L"56.55"}, {1503, L"140"}, {1504, L"43"}, {1505, L"53.93"},  // 準沖波
            {1512, L"35"}, {1513, L"57"}, {1514, L"52.66"}, {1515, L"140"}, {1516, L"44"}, {1517, L"47.01"},  // 代表点
            {1530, L"35"}, {1531, L"55"}, {1532, L"36.25"}, {1533, L"140"}, {1534, L"47"}, {1535, L"50.54"},  // 沖波
        };
        for (const auto& [id, text] : points) setText(dialog, id, typed(text));
    }

    // 計算開始; the result dialog, or null after a minute.
    static HWND startRun(HWND dialog) {
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        HWND result = nullptr;
        waitFor([&] { return (result = test::findOwnWindow(kResultCaption)) != nullptr; }, 60000);
        Sleep(300);
        return result;
    }

    // CSV出力 in the result dialog, saved as report.csv in the program folder.
    bool saveReport(HWND result) {
        PostMessageW(result, WM_COMMAND, kCsvButton, 0);
        HWND save = nullptr;
        if (!waitFor([&] { return (save = test::findOwnWindow(kSaveCaption)) != nullptr; }, 15000)) return false;
        Sleep(300);
        setText(save, kSaveNameEdit, folder_ + L"\\report");
        PostMessageW(save, WM_COMMAND, IDOK, 0);
        return waitFor([&] { return !IsWindow(save) || !IsWindowVisible(save); });
    }

    // 閉じる in the result dialog, then the overview (地図から検索), whose
    // paint closes the parameter dialog: in a contour view the next paint
    // would open it again.
    void closeDialogs(HWND result) {
        if (result) PostMessageW(result, WM_COMMAND, IDCANCEL, 0);
        waitFor([] { return estimationWindows().resultDialogOpen < 0; });
        PostMessageW(main_, WM_COMMAND, IDM_OVERVIEW, 0);
        waitFor([] { return estimationWindows().paramDialogOpen < 0 && !test::findOwnWindow(kParamCaption); });
    }

    void saveScreen(const std::wstring& name) {
        Sleep(400);  // Wine shows another thread's painting a moment later
        const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        EXPECT_TRUE(test::saveScreenArea(screen, test::screenshotFolder() + L"\\" + name + L".bmp"));
    }

    RecordingPlatform boxes_;  // every warning box the program would show
    std::wstring folder_;
    HWND main_ = nullptr;
};

// Under any system code page (VORNEL_EXPECT_ACP names the one the run is
// for), in a folder named Zoë-한국: the sample data loads without a box, the
// menu shows the Japanese names, a typed point gets its depth, the solver's
// files are found, the M7000 folder and the CSV save work, and the report is
// byte for byte the one written under code page 932.
TEST_F(OnAnyPc, SampleCaseUnderAnySystemCodePage) {
    if (const char* expected = std::getenv("VORNEL_EXPECT_ACP")) {
        ASSERT_EQ(GetACP(), std::strtoul(expected, nullptr, 10));
    }
    createMain();
    EXPECT_TRUE(boxes_.warnings.empty()) << describe(boxes_.warnings);
    EXPECT_EQ(harbourList().harbourCount, 10);
    // The region popups of 水深データ一覧から検索 and their harbours, as the menu shows them.
    HMENU regions = GetSubMenu(GetMenu(main_), 1);
    std::set<std::wstring> menuTexts;
    for (int r = 0; r < GetMenuItemCount(regions); ++r) {
        wchar_t text[64] = {};
        GetMenuStringW(regions, r, text, 64, MF_BYPOSITION);
        menuTexts.insert(text);
        HMENU harbours = GetSubMenu(regions, r);
        for (int h = 0; harbours && h < GetMenuItemCount(harbours); ++h) {
            GetMenuStringW(harbours, h, text, 64, MF_BYPOSITION);
            menuTexts.insert(text);
        }
    }
    for (const wchar_t* name : {L"関東", L"鹿島", L"北海道", L"苫小牧", L"沖縄", L"那覇"})
        EXPECT_TRUE(menuTexts.count(name)) << test::narrow(name) << " is not in the menu";

    std::wstring depth, thetaCon, firstSmax;
    bool saved = false;
    test::runDriver([&] {
        HWND dialog = chooseKashima();
        if (!dialog) return;
        typeKashimaCase(dialog);
        depth = controlText(dialog, 1506);
        thetaCon = controlText(dialog, 1519);
        HWND result = startRun(dialog);
        if (result) {
            firstSmax = controlText(result, 1500);
            saved = saveReport(result);
        }
        closeDialogs(result);

        // The M7000 folder inside the Zoë-한국 folder, through the folder picker
        // (its caption is in the system's language).
        PostMessageW(main_, WM_COMMAND, IDM_M7000_FOLDER, 0);
        HWND picker = nullptr;
        if (waitFor([&] { return (picker = test::findOwnWindowWithItem(kPickerNameEdit)) != nullptr; }, 15000)) {
            Sleep(500);
            setText(picker, kPickerNameEdit, folder_ + L"\\M7000");
            PostMessageW(GetDlgItem(picker, IDOK), BM_CLICK, 0, 0);
            waitFor([] { return m7000DataSetList().m7000DataSetCount == 2; }, 20000);
        }
    });

    EXPECT_GT(_wtof(depth.c_str()), 5.0) << "the typed point got no depth: " << test::narrow(depth);
    EXPECT_FALSE(thetaCon.empty());
    EXPECT_NE(firstSmax.find_first_of(L"0123456789"), std::wstring::npos)
        << "no candidate: " << test::narrow(firstSmax) << "\n"
        << describe(boxes_.warnings);
    EXPECT_EQ(m7000DataSetList().m7000DataSetCount, 2) << test::narrow(dataFolders().m7000Folder);
    EXPECT_EQ(dataFolders().m7000Folder, folder_ + L"\\M7000");
    EXPECT_NE(GetFileAttributesW((folder_ + L"\\zelvo-out_鹿島試験.tmp").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the solver's output is not named by the title's characters";

    ASSERT_TRUE(saved);
    const std::string report = test::readFileBytes(folder_ + L"\\report.csv");
    ASSERT_FALSE(report.empty());
    EXPECT_NE(report.find(platform().toCp932(L"計算タイトル\r\n鹿島試験\r\n")), std::string::npos);
    // Kept for the run under another code page, which must write the same bytes.
    const std::wstring keep = test::buildFolder() + L"\\any-pc-reports";
    CreateDirectoryW(keep.c_str(), nullptr);
    std::ofstream((keep + L"\\report-" + std::to_wstring(GetACP()) + L".csv").c_str(), std::ios::binary) << report;
    if (GetACP() != 932) {
        const std::string japanese = test::readFileBytes(keep + L"\\report-932.csv");
        ASSERT_FALSE(japanese.empty()) << "no report of a run under code page 932 to compare with";
        // Byte for byte but for the time of the run on the 「プログラム」 line.
        const auto withoutRunTime = [](std::string text) {
            const std::string head = platform().toCp932(L"\r\nプログラム,");
            const std::size_t line = text.find(head);
            if (line == std::string::npos) return text;
            const std::size_t end = text.find("\r\n", line + head.size());
            const std::size_t time = text.rfind(',', end);
            return text.erase(time + 1, end - time - 1);
        };
        EXPECT_NE(report.find(platform().toCp932(L"\r\nプログラム,VORNEL ")), std::string::npos);
        EXPECT_EQ(withoutRunTime(report), withoutRunTime(japanese))
            << "the report differs from the one written under code page 932";
    }
}

// A week later: the case is reopened from its report (計算条件の読込, after
// the fields were cleared and the choices changed) and 計算開始 gives the
// solver the same input, byte for byte. In the overview, and for a file that
// is not a report, the command only explains itself.
TEST_F(OnAnyPc, ACaseReopenedFromItsReportRunsAgainAsBefore) {
    createMain();
    const std::wstring input = folder_ + L"\\zelvo-in.txt";
    std::ofstream((folder_ + L"\\notes.csv").c_str(), std::ios::binary) << "Smax,Ho\r\n10,2.5\r\n";
    std::string firstInput, secondInput;
    std::wstring reopenedHeight, reopenedTitle;
    int boxesBeforeBadFile = -1, boxesAfterBadFile = -1;
    bool saved = false;
    // The command from the menu, or Ctrl+O typed into a field of `dialog`.
    auto reopen = [&](const std::wstring& file, HWND keysTo) {
        if (keysTo) {
            SetForegroundWindow(keysTo);
            test::sendWithTimeout(keysTo, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(keysTo, 1508)), TRUE);
            test::pressChord(VK_CONTROL, 'O');
        } else {
            PostMessageW(main_, WM_COMMAND, IDM_REOPEN_CASE, 0);
        }
        HWND open = nullptr;
        if (!waitFor([&] { return (open = test::findOwnWindow(L"計算条件の読込")) != nullptr; }, 15000)) return;
        Sleep(300);
        setText(open, kSaveNameEdit, file);
        PostMessageW(open, WM_COMMAND, IDOK, 0);
        waitFor([&] { return !IsWindow(open) || !IsWindowVisible(open); });
        test::sendWithTimeout(main_, WM_NULL);  // the command has run to its end
    };
    test::runDriver([&] {
        PostMessageW(main_, WM_COMMAND, IDM_REOPEN_CASE, 0);  // the overview: nothing to fill
        test::sendWithTimeout(main_, WM_NULL);
        HWND dialog = chooseKashima();
        if (!dialog) return;
        typeKashimaCase(dialog);
        HWND result = startRun(dialog);
        firstInput = test::readFileBytes(input);
        if (result) {
            saved = saveReport(result);
            PostMessageW(result, WM_COMMAND, IDCANCEL, 0);
            waitFor([] { return estimationWindows().resultDialogOpen < 0; });
        }
        // Everything different from the case: cleared fields, the other
        // diffraction choice, no relation, no title.
        test::sendWithTimeout(dialog, WM_COMMAND, 1750);
        test::sendWithTimeout(GetDlgItem(dialog, 1800), BM_CLICK);
        test::sendWithTimeout(GetDlgItem(dialog, 1601), CB_SETCURSEL, 0);
        setText(dialog, 1539, L"");

        boxesBeforeBadFile = static_cast<int>(boxes_.warnings.size());
        reopen(folder_ + L"\\notes.csv", dialog);
        boxesAfterBadFile = static_cast<int>(boxes_.warnings.size());
        reopen(folder_ + L"\\report.csv", nullptr);
        reopenedHeight = controlText(dialog, 1508);
        reopenedTitle = controlText(dialog, 1539);
        saveScreen(L"reopened-case");
        DeleteFileW(input.c_str());
        closeDialogs(startRun(dialog));
        secondInput = test::readFileBytes(input);
    });

    ASSERT_TRUE(saved);
    ASSERT_GE(boxes_.warnings.size(), 2u);
    EXPECT_EQ(boxes_.warnings[0].caption, L"計算条件の読込");  // from the overview
    EXPECT_EQ(boxesAfterBadFile, boxesBeforeBadFile + 1) << describe(boxes_.warnings);
    EXPECT_NE(boxes_.warnings.back().text.find(L"notes.csv"), std::wstring::npos) << describe(boxes_.warnings);
    EXPECT_NE(boxes_.warnings.back().text.find(L"1行目"), std::wstring::npos) << describe(boxes_.warnings);
    EXPECT_EQ(static_cast<int>(boxes_.warnings.size()), boxesAfterBadFile) << "the reopened case showed a box";
    EXPECT_EQ(reopenedHeight, L"2.5");
    EXPECT_EQ(reopenedTitle, L"鹿島試験");
    ASSERT_FALSE(firstInput.empty());
    EXPECT_EQ(secondInput, firstInput);
}

// A Japanese user with the input method in full-width mode types 「２．５」:
// the run gets the same input as with ASCII digits (it once ran with 0.01).
TEST_F(OnAnyPc, FullWidthDigitsGiveTheSameCase) {
    createMain();
    const std::wstring input = folder_ + L"\\zelvo-in.txt";
    std::string ascii, fullWidth;
    std::wstring shownHeight;
    test::runDriver([&] {
        HWND dialog = chooseKashima();
        if (!dialog) return;
        typeKashimaCase(dialog);
        HWND result = startRun(dialog);
        ascii = test::readFileBytes(input);
        if (result) PostMessageW(result, WM_COMMAND, IDCANCEL, 0);
        waitFor([] { return estimationWindows().resultDialogOpen < 0; });
        test::sendWithTimeout(dialog, WM_COMMAND, 1750);
        DeleteFileW(input.c_str());
        typeKashimaCase(dialog, true);
        shownHeight = controlText(dialog, 1508);
        closeDialogs(startRun(dialog));
        fullWidth = test::readFileBytes(input);
    });
    EXPECT_EQ(shownHeight, L"２．５") << "the field shows what was typed";
    ASSERT_NE(ascii.find("h13***| 2.50"), std::string::npos) << ascii;
    EXPECT_EQ(fullWidth, ascii);
    EXPECT_TRUE(boxes_.warnings.empty()) << describe(boxes_.warnings);
}

// On a screen lower than the parameter dialog (1366 x 768, or a 1920 x 1080
// laptop at 150 %, also less a 48 px taskbar, which leaves 1280 x 672 and
// makes the result dialog scroll too): both dialogs lie inside the screen,
// every control can be scrolled to and focused, the side panel stays in
// view, and a run ends in its result. A dialog with room shows no scroll bar.
TEST_F(OnAnyPc, BothDialogsFitTheScreen) {
    createMain();
    const ScreenRect work = workAreaOf(main_);
    EXPECT_TRUE(inside(windowRectOf(main_), work)) << "the main window starts beyond the work area";

    std::set<int> reached, hidden;
    int wheelPosition = -1;
    ScreenRect dialogRect, mainRect, resultRect;
    bool dialogScrolls = false, resultScrolls = false, startShown = false, resultButtonsShown = false;
    bool resultOpensAtTop = false;
    int resultFirstFocus = 0;
    int dialogHeight = 0, resultHeight = 0;  // as the templates would have them, unscrolled
    std::wstring firstSmax;
    std::vector<ScreenRect> panel;
    test::runDriver([&] {
        HWND dialog = chooseKashima();
        if (!dialog) return;
        dialogRect = windowRectOf(dialog);
        mainRect = windowRectOf(main_);
        for (int id :
             {IDC_READOUT_LAT, IDC_READOUT_LON, IDC_READOUT_DEPTH, IDC_KIND_FIRST, IDC_KIND_FIRST + 3, IDC_SET_POINT})
            panel.push_back(windowRectOf(GetDlgItem(main_, id)));
        dialogScrolls = (GetWindowLongW(dialog, GWL_STYLE) & WS_VSCROLL) != 0;
        dialogHeight = fullHeight(dialog, 514);
        saveScreen(L"any-pc-dialog-" + screenName(work));

        // Tab from the first field round the whole tab order, as a user would:
        // each control that takes the focus shows whole.
        const DWORD uiThread = GetWindowThreadProcessId(dialog, nullptr);
        auto focused = [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(uiThread, &info);
            return info.hwndFocus;
        };
        test::sendWithTimeout(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, 1500)), TRUE);
        for (int step = 0; step < 60; ++step) {
            HWND control = focused();
            const int id = GetDlgCtrlID(control);
            if (step > 0 && id == 1500) break;
            reached.insert(id);
            if (!inside(windowRectOf(control), visibleClient(dialog))) hidden.insert(id);
            PostMessageW(control, WM_KEYDOWN, VK_TAB, 0);
            PostMessageW(control, WM_KEYUP, VK_TAB, 0);
            waitFor([&] { return focused() != control; }, 2000);
            // The focus moves first, the scroll follows in its WM_SETFOCUS: a
            // sent message returns once the dialog's thread has done both.
            test::sendWithTimeout(dialog, WM_NULL);
        }
        // The program setting the focus, the scroll bar and the wheel.
        test::sendWithTimeout(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)), TRUE);
        startShown = inside(windowRectOf(GetDlgItem(dialog, IDOK)), visibleClient(dialog));
        test::sendWithTimeout(dialog, WM_VSCROLL, SB_TOP);
        test::sendWithTimeout(dialog, WM_MOUSEWHEEL, MAKEWPARAM(0, -40));
        test::sendWithTimeout(dialog, WM_MOUSEWHEEL, MAKEWPARAM(0, -80));  // one notch from touchpad steps
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_POS;
        wheelPosition = GetScrollInfo(dialog, SB_VERT, &info) ? info.nPos : 0;
        test::sendWithTimeout(dialog, WM_VSCROLL, SB_TOP);

        typeKashimaCase(dialog);
        HWND result = startRun(dialog);
        if (result) {
            resultRect = windowRectOf(result);
            resultScrolls = (GetWindowLongW(result, GWL_STYLE) & WS_VSCROLL) != 0;
            resultHeight = fullHeight(result, 430);
            firstSmax = controlText(result, 1500);
            // It opens at its top (the inputs and the first candidates), with 閉じる focused.
            SCROLLINFO at{};
            at.cbSize = sizeof at;
            at.fMask = SIF_POS;
            resultOpensAtTop = !resultScrolls || (GetScrollInfo(result, SB_VERT, &at) && at.nPos == 0);
            GUITHREADINFO gui{};
            gui.cbSize = sizeof gui;
            GetGUIThreadInfo(GetWindowThreadProcessId(result, nullptr), &gui);
            resultFirstFocus = GetDlgCtrlID(gui.hwndFocus);
            resultButtonsShown = true;
            for (int id : {kCsvButton, IDC_SENSITIVITY, IDCANCEL}) {
                test::sendWithTimeout(result, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(result, id)), TRUE);
                resultButtonsShown &= inside(windowRectOf(GetDlgItem(result, id)), visibleClient(result));
            }
            saveScreen(L"any-pc-result-" + screenName(work));
        }
        closeDialogs(result);
    });

    EXPECT_TRUE(resultOpensAtTop) << "the result dialog opened scrolled away from its top";
    EXPECT_EQ(resultFirstFocus, IDCANCEL);
    EXPECT_TRUE(inside(dialogRect, work)) << "the parameter dialog passes the screen";
    EXPECT_TRUE(inside(mainRect, work)) << "the main window passes the screen";
    for (const ScreenRect& r : panel)
        EXPECT_TRUE(r.right <= dialogRect.left || r.left >= dialogRect.right || r.bottom <= dialogRect.top ||
                    r.top >= dialogRect.bottom)
            << "the dialog covers the side panel";
    const int workHeight = work.height();
    EXPECT_EQ(dialogScrolls, dialogHeight > workHeight) << dialogHeight << " px in " << workHeight;
    if (dialogScrolls) {
        EXPECT_GT(wheelPosition, 0) << "the wheel does not scroll the dialog";
    }
    for (int id : {1500, 1506, 1511, 1519, 1528, 1536, 1539, 1601, 1800, 1750, IDOK})
        EXPECT_TRUE(reached.count(id)) << "Tab never reaches " << id;
    for (int id : hidden) ADD_FAILURE() << "control " << id << " took the focus out of view";
    EXPECT_TRUE(startShown) << "計算開始 cannot be brought into view";
    EXPECT_TRUE(inside(resultRect, work)) << "the result dialog passes the screen";
    EXPECT_EQ(resultScrolls, resultHeight > workHeight) << resultHeight << " px in " << workHeight;
    EXPECT_TRUE(resultButtonsShown) << "CSV出力, 感度と応答 or 閉じる cannot be brought into view";
    EXPECT_NE(firstSmax.find_first_of(L"0123456789"), std::wstring::npos) << "the run showed no candidate\n"
                                                                          << describe(boxes_.warnings);
}

}  // namespace
}  // namespace vornel

namespace vornel {
namespace {

// The lines of `bytes` (CR LF) from the one after `heading` up to `stop` (or the end).
std::vector<std::string> linesAfter(const std::string& bytes, const std::string& heading, const std::string& stop = "") {
    std::vector<std::string> lines;
    std::size_t at = bytes.find("\r\n" + heading + "\r\n");
    if (at == std::string::npos) return lines;
    at += heading.size() + 4;
    while (at < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", at);
        const std::string line = bytes.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (!stop.empty() && line == stop) break;
        lines.push_back(line);
        if (end == std::string::npos) break;
        at = end + 2;
    }
    return lines;
}

std::vector<std::string> csvFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) return fields;
        start = comma + 1;
    }
}

// The guide's example: the sensitivity of the run on screen opens from 1810,
// runs its perturbations, and the report saved afterwards carries them with
// the values runs of the moved inputs give; the example has no validity
// notes, a breaking wave (H1/3 / h = 0.4) has, and a new run closes the
// window of the old one.
TEST_F(OnAnyPc, SensitivityAndNotesOfTheRunOnScreenGoIntoItsReport) {
    createMain();
    std::wstring notesBefore, notesAfter, status, depth;
    bool saved = false, windowShown = false, closedByNewRun = false;
    DWORD copiedRecords = 0;
    LONG copiedWidth = 0, copiedHeight = 0;
    test::runDriver([&] {
        HWND dialog = chooseKashima();
        if (!dialog) return;
        typeKashimaCase(dialog);
        HWND result = startRun(dialog);
        if (!result) return;
        notesBefore = controlText(result, IDC_VALIDITY_NOTES);
        PostMessageW(result, WM_COMMAND, IDC_SENSITIVITY, 0);
        HWND window = nullptr;
        windowShown = waitFor([&] { return (window = test::findOwnWindow(L"感度と応答")) != nullptr; }, 15000);
        if (!windowShown) return;
        waitFor([&] { return controlText(window, 2011).starts_with(L"計算済み"); }, 120000);
        status = controlText(window, 2011);
        // 図をコピー: the figure goes to the clipboard as a picture.
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
        PostMessageW(window, WM_COMMAND, 2020, 0);
        waitFor([] { return IsClipboardFormatAvailable(CF_ENHMETAFILE) != FALSE; }, 10000);
        if (OpenClipboard(nullptr)) {
            if (HENHMETAFILE picture = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE))) {
                ENHMETAHEADER header{};
                if (GetEnhMetaFileHeader(picture, sizeof header, &header)) {
                    copiedRecords = header.nRecords;
                    copiedWidth = header.rclFrame.right - header.rclFrame.left;
                    copiedHeight = header.rclFrame.bottom - header.rclFrame.top;
                }
            }
            CloseClipboard();
        }
        saveScreen(L"sensitivity-guide-example");
        test::saveWindowImage(window, L"sensitivity-window");
        saved = saveReport(result);
        // H1/3 at 0.4 times the depth the map gave the point.
        depth = controlText(dialog, 1506);
        setText(dialog, 1508, wformat(L"%.2f", 0.4 * _wtof(depth.c_str())));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        waitFor([&] { return controlText(result, IDC_VALIDITY_NOTES).find(L"H1/3/h") != std::wstring::npos; }, 60000);
        notesAfter = controlText(result, IDC_VALIDITY_NOTES);
        closedByNewRun = !test::findOwnWindow(L"感度と応答");
        test::saveWindowImage(result, L"result-with-notes");
        closeDialogs(result);
    });
    ASSERT_TRUE(windowShown) << describe(boxes_.warnings);
    EXPECT_TRUE(status.starts_with(L"計算済み 8 / 8")) << test::narrow(status);
    // Three curves of 0.5° steps in each of two panels, axes, ticks and
    // labels: hundreds of records, in a frame of the figure's shape.
    EXPECT_GT(copiedRecords, 200u) << "no figure on the clipboard";
    EXPECT_GT(copiedWidth, 0);
    EXPECT_GT(copiedHeight, copiedWidth / 2) << "the picture is not the figure's shape";
    EXPECT_EQ(notesBefore, L"") << "the guide's example has no validity note";
    EXPECT_NE(notesAfter.find(L"砕波の影響: H1/3/h=0.40"), std::wstring::npos) << test::narrow(notesAfter);
    EXPECT_TRUE(closedByNewRun) << "the window still shows the previous run's sensitivity";
    ASSERT_TRUE(saved);

    // Every line of the section against a run of the moved input made here.
    const std::string report = test::readFileBytes(folder_ + L"\\report.csv");
    const std::vector<std::string> lines = linesAfter(report, platform().toCp932(L"感度"));
    ASSERT_GE(lines.size(), 2u) << "no sensitivity section";
    EXPECT_EQ(lines[0], platform().toCp932(L"項目,刻み,Smax,θo(－),θo(+),Ho(－),Ho(+)"));
    // The sensitivity was of the first run, whose case the report keeps.
    SolverCase run = runRecord().solverCase;
    run.height = 2.5;
    SolverRunSettings settings;
    const SolverRun base = runSolverCase(folder_, run, settings);
    ASSERT_EQ(base.failure, SolverFailure::None);
    std::size_t line = 1;
    const Uncertainties u;
    for (int c = 0; c < base.result.rowCount; ++c) {
        for (int input = 0; input < kSensitivityInputs; ++input) {
            if (!isPerturbed(input, run, u.value[input])) continue;
            ASSERT_LT(line, lines.size());
            const std::vector<std::string> f = csvFields(lines[line++]);
            ASSERT_EQ(f.size(), 7u);
            EXPECT_EQ(f[0], platform().toCp932(widen(sensitivityItemName(input))));
            EXPECT_EQ(f[2], std::to_string(base.result.rows[c].smax));
            for (int sign : {-1, 1}) {
                PairedCandidate expected;
                if (needsSolverRun(input)) {
                    SolverCase moved;
                    ASSERT_TRUE(perturbedCase(run, input, sign, u.value[input], moved));
                    const SolverRun direct = runSolverCase(folder_, moved, settings);
                    ASSERT_EQ(direct.failure, SolverFailure::None);
                    expected = pairCandidate(base.result.rows[c], direct.result.rows, direct.result.rowCount);
                } else {
                    expected = {true, base.result.rows[c].ho * (1.0 + sign * u.value[input] / 100.0),
                                base.result.rows[c].thetaO};
                }
                const std::string theta = f[sign < 0 ? 3 : 4], ho = f[sign < 0 ? 5 : 6];
                EXPECT_EQ(theta, expected.found ? format("%.1f", expected.thetaO) : "") << lines[line - 1];
                EXPECT_EQ(ho, expected.found ? format("%.3f", expected.ho) : "") << lines[line - 1];
            }
        }
    }
}

// θcon and the shore normal 0.03° apart (58.77 and 58.80): unrounded they
// put the wave on one side of the virtual breakwater, the solver reads 58.8
// and 238.8 and puts it on the other. The θ written for the solver is the
// one for the side the solver reads from the same file.
TEST_F(OnAnyPc, TheBreakwaterSideIsTheOneTheSolverReads) {
    createMain();
    std::wstring firstSmax;
    double c = 0.0;
    test::runDriver([&] {
        HWND dialog = chooseKashima();
        if (!dialog) return;
        typeKashimaCase(dialog);
        test::sendWithTimeout(GetDlgItem(dialog, 1800), BM_CLICK);
        const std::pair<int, const wchar_t*> tip[] = {
            {1520, L"35"}, {1521, L"54"}, {1522, L"40"}, {1523, L"140"}, {1524, L"44"}, {1525, L"10"},
        };
        for (const auto& [id, text] : tip) setText(dialog, id, text);
        setText(dialog, 1526, L"15.0");
        setText(dialog, 1519, L"58.77");
        setText(dialog, 1527, L"58.80");
        HWND result = startRun(dialog);
        if (result) firstSmax = controlText(result, 1500);
        // c: the azimuth from the tip to the quasi-offshore point.
        const EstimationParams& p = estimationParams();
        c = reduceAngle(90.0 - std::atan2(p.quasiOffshorePoint.north - p.diffractionPoint.north,
                                          p.quasiOffshorePoint.east - p.diffractionPoint.east) *
                                   180.0 / std::acos(-1.0));
        closeDialogs(result);
    });
    EXPECT_NE(firstSmax.find_first_of(L"0123456789"), std::wstring::npos)
        << "no candidate: " << test::narrow(firstSmax) << "\n"
        << describe(boxes_.warnings);

    std::map<std::string, double> written;
    std::istringstream input(test::readFileBytes(folder_ + L"\\zelvo-in.txt"));
    for (std::string line; std::getline(input, line);)
        if (const std::size_t bar = line.find('|'); bar != std::string::npos)
            written[line.substr(0, bar)] = std::strtod(line.c_str() + bar + 1, nullptr);
    ASSERT_TRUE(written.count("azim**") && written.count("angl**") && written.count("sit***"));
    EXPECT_DOUBLE_EQ(written["azim**"], 58.8);
    EXPECT_DOUBLE_EQ(written["angl**"], 238.8);
    // The side as the solver decides it from the file: δ = -180 counts θ
    // from the tip's azimuth c (c - θdiff); the unrounded δ = -180.03 would
    // have given θdiff - c.
    const double solverSide = reduceAngle(360.0 - written["angl**"] + c);
    const double otherSide = reduceAngle(written["angl**"] - c);
    ASSERT_GT(std::fabs(solverSide - otherSide), 1.0) << "the case cannot tell the sides apart";
    EXPECT_NEAR(written["sit***"], solverSide, 0.051) << "θ is the one of the side the solver does not read";
}

// 観測波浪の一括推定 on a records file that mixes degrees, English and
// Japanese 16-point names, a header, missing values and a value out of
// range: every line of the report is what single runs of the same records
// give; a longer record stopped with 中止 keeps what was done.
TEST_F(OnAnyPc, AWaveRecordIsEstimatedAsSingleRunsWouldAndCanBeStopped) {
    createMain();
    const std::wstring records = folder_ + L"\\gauge.csv";
    const std::wstring text =
        L"日時,H1/3,T1/3,波向\r\n"
        L"2024/01/01 00:00,2.50,10.0,80\r\n"
        L"2024/01/01 01:00,1.80,8.5,E\r\n"
        L"2024/01/01 02:00,2.20,9.0,東北東\r\n"
        L"2024/01/01 03:00,,9.0,70\r\n"
        L"2024/01/01 04:00,3.00,12.0,999.9\r\n"
        L"2024/01/01 05:00,1.00,150,70\r\n"
        L"2024/01/01 06:00,1.20,7.0,ene\r\n"
        L"2024/01/01 07:00,0.90,6.5,75.5\r\n";
    std::ofstream(records.c_str(), std::ios::binary) << platform().toCp932(text);
    std::wstring longText = L"日時 H1/3 T1/3 波向\r\n";
    for (int i = 0; i < 600; ++i)
        longText += wformat(L"t%03d %.2f %.1f %.1f\r\n", i, 0.8 + (i % 13) * 0.1, 5.0 + (i % 71) * 0.1, 60.0 + (i % 41));
    const std::wstring longRecords = folder_ + L"\\long.txt";
    std::ofstream(longRecords.c_str(), std::ios::binary) << toUtf8(longText);
    // Reports of an earlier run would be asked about before they are replaced.
    DeleteFileW((folder_ + L"\\gauge_逆推定.csv").c_str());
    DeleteFileW((folder_ + L"\\long_逆推定.csv").c_str());

    bool resultShown = false, progressSeen = false, stoppedShown = false;
    std::wstring summary, stoppedSummary;
    const auto runBatch = [&](const std::wstring& file, bool stop) {
        PostMessageW(main_, WM_COMMAND, IDM_BATCH, 0);
        HWND open = nullptr;
        if (!waitFor([&] { return (open = test::findOwnWindowWithItem(kSaveNameEdit)) != nullptr; }, 15000)) return;
        Sleep(300);
        setText(open, kSaveNameEdit, file);
        PostMessageW(open, WM_COMMAND, IDOK, 0);
        HWND progress = nullptr;
        progressSeen |= waitFor([&] { return (progress = test::findOwnWindowWithItem(2102)) != nullptr; }, 15000);
        if (stop && progress) {
            waitFor([&] { return _wtoi(controlText(progress, 2103).c_str()) > 0; }, 60000);
            saveScreen(L"batch-progress");
            test::sendWithTimeout(progress, WM_COMMAND, IDCANCEL);
        }
        HWND done = nullptr;
        const bool shown = waitFor([&] { return (done = test::findOwnWindow(L"一括推定の結果")) != nullptr; }, 180000);
        if (!shown) return;
        Sleep(500);
        (stop ? stoppedSummary : summary) = controlText(done, 2202);
        (stop ? stoppedShown : resultShown) = true;
        test::saveWindowImage(done, stop ? L"batch-result-stopped" : L"batch-result");
        PostMessageW(done, WM_COMMAND, IDCANCEL, 0);
        waitFor([&] { return !IsWindow(done); });
    };
    test::runDriver([&] {
        HWND dialog = chooseKashima();
        if (!dialog) return;
        typeKashimaCase(dialog);
        // One run first: its record holds the site the batch runs.
        HWND result = startRun(dialog);
        if (result) PostMessageW(result, WM_COMMAND, IDCANCEL, 0);
        waitFor([] { return estimationWindows().resultDialogOpen < 0; });
        runBatch(records, false);
        runBatch(longRecords, true);
        closeDialogs(nullptr);
    });
    ASSERT_TRUE(resultShown) << describe(boxes_.warnings);
    EXPECT_TRUE(progressSeen);
    EXPECT_TRUE(summary.starts_with(L"8件: 推定 ")) << test::narrow(summary);
    EXPECT_NE(summary.find(L" / 欠測 2 / 範囲外 1"), std::wstring::npos) << test::narrow(summary);

    const std::string report = test::readFileBytes(folder_ + L"\\gauge_逆推定.csv");
    ASSERT_FALSE(report.empty());
    CaseReadError error;
    EXPECT_TRUE(readCaseReport(report, spreadingRelations(), error)) << "line " << error.line;
    const std::vector<std::string> lines = linesAfter(report, platform().toCp932(L"一括推定"));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], platform().toCp932(widen(kBatchHeader)));
    std::string expected;
    const WaveRecordFile file = readWaveRecords(text);
    ASSERT_EQ(file.records.size(), 8u);
    SolverCase site = runRecord().solverCase;
    for (const WaveRecord& r : file.records) {
        BatchRecordResult single;
        if (r.status == RecordStatus::Ok) {
            SolverCase c = site;
            c.height = r.height;
            c.period = r.period;
            c.direction = r.direction;
            const SolverRun run = runSolverCase(folder_, c, SolverRunSettings());
            ASSERT_EQ(run.failure, SolverFailure::None);
            single.outcome = run.result.rowCount > 0 ? BatchOutcome::Done : BatchOutcome::NoCandidate;
            for (int i = 0; i < run.result.rowCount; ++i) {
                const double share = candidateShare(run.curves, i, run.result.rows[i]);
                single.candidates.push_back({run.result.rows[i], std::isfinite(share) ? share : -1.0});
            }
        }
        expected += batchRecordLines(r, single, 1, runRecord().offshoreDepth, &site, std::nan(""));
    }
    std::string got;
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (!lines[i].empty()) got += lines[i] + "\r\n";
    std::string expectedCrLf;
    for (char c : platform().toCp932(widen(expected))) {
        if (c == '\n') expectedCrLf += '\r';
        expectedCrLf += c;
    }
    EXPECT_EQ(got, expectedCrLf);

    ASSERT_TRUE(stoppedShown);
    EXPECT_NE(stoppedSummary.find(L"中止"), std::wstring::npos) << test::narrow(stoppedSummary);
    const std::string stopped = test::readFileBytes(folder_ + L"\\long_逆推定.csv");
    const std::vector<std::string> stoppedLines = linesAfter(stopped, platform().toCp932(L"一括推定"));
    int done = 0, notDone = 0;
    for (const std::string& line : stoppedLines) {
        done += line.find(platform().toCp932(L"中止")) == std::string::npos && line.find(",   ") != std::string::npos;
        notDone += line.find(platform().toCp932(L"中止")) != std::string::npos;
    }
    EXPECT_GT(done, 0) << "nothing done was kept";
    EXPECT_GT(notDone, 0) << "中止 did not stop";
}

}  // namespace
}  // namespace vornel
