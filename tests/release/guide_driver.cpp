// Drives a real VORNEL.exe from outside, under Wine, through the guide's
// examples on the sample data, as a user would, and saves a screenshot of each
// step for the guide:
// - the example: choose the 1:50,000 chart 6366_1 鹿島港付近 (it reaches
//   100 m, deep water for 10 s), zoom in, click and set three points (no
//   diffraction point), type the wave, pick a spreading relation, 計算開始,
//   read the result dialog; then clear the input, type the example's table
//   (the values the clicks gave) and run again: the rows must be the same;
// - its sensitivity (感度と応答) with the default uncertainties and with a
//   16-point direction, each saved as a CSV report whose added lines it prints;
// - the batch estimation of a made-up wave record at the example's site: the
//   progress window half-way, the summary window, the report's lines;
// - the figure of the virtual breakwater (guide-6-breakwater.svg) from the
//   program's own θdiff and θ, and the guide's rule for a real breakwater
//   checked against them;
// - a sheltered case behind the harbour's breakwater, set up by that rule,
//   with two candidates of one Smax, its sensitivity and the solver's report;
// - given a folder holding one M7000 data set made by vornel-contour.exe, that
//   folder as the M7000 folder, the data set opened and the quasi-offshore
//   point set on it.
//
//   release_guide_driver.exe <program folder> <screenshot folder or "-"> [<own M7000 folder> [<work folder>]]
//
// The work folder holds the records file 鹿島沖観測.csv; the reports are
// saved there. Prints the result rows and the report lines. Exit codes: 0
// done; 1 usage; 2 the program did not start or show its window; 3 a step
// failed (the message says which); 4 the program did not end after WM_CLOSE.
//
// Everything goes through messages that work across processes (WM_COMMAND,
// mouse messages, BM_CLICK, WM_SETTEXT, CB_SETCURSEL); commands that open a
// modal window are posted.
#include <windows.h>
// (the process and thread snapshots need windows.h first)
#include <tlhelp32.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "estimation/wave.h"
#include "geodesy/plane_rect.h"
#include "guide_figure.h"
#include "guide_windows.h"

using namespace guide;

namespace {

std::wstring wformat(const wchar_t* format, double value) {
    wchar_t text[64];
    _snwprintf(text, 63, format, value);
    text[63] = 0;
    return text;
}

// Closes the deep-water warning when it shows, and says so.
void dismissDeepWaterWarning() {
    if (HWND box = findProgramWindow(L"沖波地点の設定")) {
        say(stdout, L"guide_driver: deep-water warning: %ls\n", messageBoxText(L"沖波地点の設定").c_str());
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        Sleep(300);
    }
}

// The menu command of the 1:50,000 chart `code` in Db01\otable.5: 600 + its
// place in the table (each line starts with the code).
int chartCommand(const std::wstring& folder, const char* code) {
    FILE* file = _wfopen((folder + L"\\Db01\\otable.5").c_str(), L"rb");
    if (!file) failStep(L"no Db01\\otable.5 in the program folder");
    char line[512];
    int index = -1;
    int found = -1;
    const std::size_t n = std::strlen(code);
    while (fgets(line, sizeof line, file)) {
        ++index;
        if (std::strncmp(line, code, n) == 0 && (line[n] == ' ' || line[n] == '\t')) {
            found = index;
            break;
        }
    }
    fclose(file);
    if (found < 0) failStep(L"the chart is not in otable.5");
    return 600 + found;
}

// The numeric fields of the parameter dialog, 1500 ... 1536 (1529 has no control).
constexpr int kFirstField = 1500, kLastField = 1536;
// Controls of the result dialog and of the sensitivity window.
constexpr int kCsvButton = 1800, kSensitivityButton = 1810, kValidityNotes = 1811;
constexpr int kDirectionUncertainty = 2001, kSensitivityStatus = 2011;
// Controls of the batch progress window.
constexpr int kBatchProgressBar = 2102, kBatchCount = 2103;

std::vector<std::wstring> fieldTexts(HWND params) {
    std::vector<std::wstring> texts;
    for (int id = kFirstField; id <= kLastField; ++id) texts.push_back(itemText(params, id));
    return texts;
}

// The candidate rows of the result dialog as shown, one line each.
std::vector<std::wstring> resultRows(HWND result) {
    std::vector<std::wstring> rows;
    for (int r = 0; r < 12; ++r) {
        const std::wstring smax = itemText(result, 1500 + 3 * r);
        if (smax.find_first_of(L"0123456789") == std::wstring::npos) break;
        wchar_t line[256];
        _snwprintf(line, 255, L"Smax %ls  Ho %ls  θo %ls  推定式Smax %ls", smax.c_str(),
                   itemText(result, 1501 + 3 * r).c_str(), itemText(result, 1502 + 3 * r).c_str(),
                   itemText(result, 1544 + r).c_str());
        line[255] = 0;
        rows.push_back(line);
    }
    return rows;
}

// 計算開始, then the estimated Smax of the relation chosen again in the
// result dialog as a user would; the result dialog, its rows in `rows`.
HWND runAndRead(HWND params, std::vector<std::wstring>& rows) {
    PostMessageW(params, WM_COMMAND, IDOK, 0);
    HWND result = waitForWindow(L"簡易逆推定結果", 60000);
    if (!result) {
        const std::wstring text = messageBoxText(L"簡易逆推定の実行");
        say(stderr, L"guide_driver: no result dialog%ls%ls\n", text.empty() ? L"" : L"; message: ", text.c_str());
        failStep(L"the estimation failed");
    }
    SendDlgItemMessageW(result, 1602, CB_SETCURSEL, 1, 0);
    SendMessageW(result, WM_COMMAND, MAKEWPARAM(1602, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(result, 1602)));
    rows = resultRows(result);
    if (rows.empty()) failStep(L"the result dialog shows no candidate");
    return result;
}

void printRows(const wchar_t* what, const std::vector<std::wstring>& rows) {
    for (std::size_t r = 0; r < rows.size(); ++r)
        say(stdout, L"guide_driver: %ls %2zu  %ls\n", what, r + 1, rows[r].c_str());
}

// How much higher the whole offshore sea is than Ho, from the shoreward share
// the solver's response file gives for θo 0, 30, 45, 60 and 75° off θcon
// (the same for every site: it depends on Smax and the angle only).
void printWholeSea(const std::wstring& program, const wchar_t* title, double thetaCon) {
    std::wstring line[3];
    const int smax[3] = {10, 25, 75};
    for (const std::wstring& text : readShiftJisLines(program + L"\\zelvo-out_" + title + L".crv")) {
        int s = 0;
        double thetaO = 0.0, direction = 0.0, k = 0.0, share = 0.0;
        if (swscanf(text.c_str(), L"%d %lf %lf %lf %lf", &s, &thetaO, &direction, &k, &share) != 5) continue;
        for (int i = 0; i < 3; ++i) {
            if (s != smax[i]) continue;
            for (double off : {0.0, 30.0, 45.0, 60.0, 75.0})
                if (std::fabs(thetaO - thetaCon - off) < 0.01 && share > 0.0)
                    line[i] += wformat(L",+%.1f %%", (1.0 / std::sqrt(share) - 1.0) * 100.0);
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (std::count(line[i].begin(), line[i].end(), L',') != 5) failStep(L"the response file lacks a share");
        say(stdout, L"guide_driver: whole sea %d%ls\n", smax[i], line[i].c_str());
    }
}

// The case on screen with one field typed otherwise: its rows printed as
// <what>, then the field as it was.
std::vector<std::wstring> runVariant(HWND params, int id, const wchar_t* value, const wchar_t* what) {
    const std::wstring before = itemText(params, id);
    setItemText(params, id, value);
    std::vector<std::wstring> rows;
    HWND result = runAndRead(params, rows);
    printRows(what, rows);
    say(stdout, L"guide_driver: %ls notes %ls\n", what, itemText(result, kValidityNotes).c_str());
    PostMessageW(result, WM_COMMAND, 2, 0);
    waitUntilGone(result, 5000);
    setItemText(params, id, before.c_str());
    return rows;
}

// The side panel's read-out of a click, "緯度：35°55′24.2556″", in degrees.
double readoutDegrees(const std::wstring& text) {
    double d = 0.0, m = 0.0, sec = 0.0;
    const std::size_t at = text.find(L'：');
    if (at == std::wstring::npos || swscanf(text.c_str() + at + 1, L"%lf°%lf′%lf″", &d, &m, &sec) != 3)
        failStep(L"a position read-out could not be read");
    return d + m / 60.0 + sec / 3600.0;
}

// The plane position of a click on the map (about the origin of the
// chart's plane coordinates), from the side panel's read-outs.
void clickedPlace(HWND main, int x, int y, double originLat, double originLon, double& north, double& east) {
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(main, WM_LBUTTONUP, 0, at);
    vornel::toPlaneRect(readoutDegrees(itemText(main, 10)), readoutDegrees(itemText(main, 11)), originLat, originLon,
                        north, east);
}

// Clicks the map at client point (x, y), chooses point kind k in the side
// panel and presses 設定; checks that the read-outs show a depth.
void setPoint(HWND main, int k, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(main, WM_LBUTTONUP, 0, at);
    const std::wstring depth = itemText(main, 12);
    say(stdout, L"guide_driver: point %d at (%d, %d): %ls  %ls  %ls\n", k, x, y, itemText(main, 10).c_str(),
        itemText(main, 11).c_str(), depth.c_str());
    if (depth.find(L'm') == std::wstring::npos) failStep(L"the click gave no depth read-out");
    clickItem(main, 50 + k);
    clickItem(main, 30);
    dismissDeepWaterWarning();
}

// 「感度と応答...」 of the result dialog: the window, once its runs are done,
// beside the result dialog.
HWND openSensitivity(HWND result) {
    clickItem(result, kSensitivityButton);
    HWND window = waitForWindow(L"感度と応答", 20000);
    if (!window) failStep(L"感度と応答 did not open");
    if (!waitForItemText(window, kSensitivityStatus, L"計算済み", 180000))
        failStep(L"the sensitivity's runs did not end");
    RECT r, w;
    GetWindowRect(result, &r);
    GetWindowRect(window, &w);
    // Beside the result dialog, but whole on the desktop: what lies beyond
    // its edge would be black in the screenshot.
    const int width = w.right - w.left, height = w.bottom - w.top;
    const int left = std::max(0, std::min<int>(r.right + 6, GetSystemMetrics(SM_CXSCREEN) - width));
    MoveWindow(window, left, r.top, width, height, TRUE);
    return window;
}

// 「CSV出力」 of the result dialog into `path`; the report's lines.
std::vector<std::wstring> saveReport(HWND result, const std::wstring& path) {
    DeleteFileW(path.c_str());
    clickItem(result, kCsvButton);
    chooseFileInDialog(L"簡易逆推定結果のCSVファイル出力", path);
    for (int i = 0; i < 100 && GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    std::vector<std::wstring> lines = readShiftJisLines(path);
    if (lines.empty()) failStep(L"the CSV report was not written");
    return lines;
}

// Prints the report's lines from its 「プログラム」 line on, the added part.
void printAddedLines(const wchar_t* what, const std::vector<std::wstring>& lines) {
    bool added = false;
    for (const std::wstring& line : lines) {
        added = added || line.rfind(L"プログラム,", 0) == 0;
        if (added) say(stdout, L"guide_driver: %ls %ls\n", what, line.c_str());
    }
    if (!added) failStep(L"the CSV report has no プログラム line");
}

// The example's sensitivity: the window with the default uncertainties (its
// screenshot and the report), then with a direction known to 16 points.
void exampleSensitivity(HWND result, const std::wstring& shots, const std::wstring& work) {
    HWND window = openSensitivity(result);
    saveScreens(shots, L"guide-7-sensitivity", {window});
    printAddedLines(L"example report", saveReport(result, work + L"\\鹿島試験.csv"));

    setItemText(window, kSensitivityStatus, L"");
    setItemText(window, kDirectionUncertainty, L"11.25");
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    if (!waitForItemText(window, kSensitivityStatus, L"計算済み", 180000))
        failStep(L"the 16-point sensitivity's runs did not end");
    for (const std::wstring& line : saveReport(result, work + L"\\鹿島試験_16方位.csv"))
        if (line.rfind(L"波向,±", 0) == 0) say(stdout, L"guide_driver: 16 points %ls\n", line.c_str());
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    waitUntilGone(window, 5000);
}

// Suspends every thread of the running program `exe` (another process of
// the prefix); the threads' handles, empty when it is not running.
std::vector<HANDLE> suspendProgram(const wchar_t* exe) {
    std::vector<HANDLE> threads;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS | TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return threads;
    DWORD id = 0;
    PROCESSENTRY32W p{};
    p.dwSize = sizeof p;
    for (BOOL more = Process32FirstW(snapshot, &p); more && !id; more = Process32NextW(snapshot, &p))
        if (_wcsicmp(p.szExeFile, exe) == 0) id = p.th32ProcessID;
    THREADENTRY32 t{};
    t.dwSize = sizeof t;
    for (BOOL more = id && Thread32First(snapshot, &t); more; more = Thread32Next(snapshot, &t)) {
        if (t.th32OwnerProcessID != id) continue;
        if (HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, t.th32ThreadID)) {
            if (SuspendThread(thread) != static_cast<DWORD>(-1))
                threads.push_back(thread);
            else
                CloseHandle(thread);
        }
    }
    CloseHandle(snapshot);
    return threads;
}

void resumeProgram(std::vector<HANDLE>& threads) {
    for (HANDLE thread : threads) {
        ResumeThread(thread);
        CloseHandle(thread);
    }
    threads.clear();
}

// 観測波浪の一括推定 of the example's case on the made-up record
// 鹿島沖観測.csv: the progress window once the first part is done, the
// summary window, the report's first lines.
void batchEstimation(HWND main, const std::wstring& shots, const std::wstring& work) {
    const std::wstring records = work + L"\\鹿島沖観測.csv";
    const std::wstring report = work + L"\\鹿島沖観測_逆推定.csv";
    DeleteFileW(report.c_str());
    PostMessageW(main, WM_COMMAND, 1630, 0);
    chooseFileInDialog(L"観測波浪の一括推定", records);
    HWND progress = waitForWindowWithItem(kBatchProgressBar, L"観測波浪の一括推定", 20000);
    if (!progress) failStep(L"the batch estimation showed no progress window");
    // The first part of the record runs in one call of the solver; the window
    // then counts it and the solver runs the rest. Held there, the window
    // shows the count and the times as the user sees them half-way.
    std::vector<HANDLE> held;
    for (int i = 0; i < 6000 && held.empty(); ++i) {
        if (!IsWindow(progress)) failStep(L"the batch estimation ended before its progress could be shown");
        const std::wstring count = itemText(progress, kBatchCount);
        if (!count.empty() && count.rfind(L"0 / ", 0) != 0) held = suspendProgram(L"zelvo_v3.exe");
        if (held.empty()) Sleep(5);
    }
    if (held.empty()) failStep(L"the batch estimation's second part was not seen");
    say(stdout, L"guide_driver: batch progress %ls  %ls\n", itemText(progress, kBatchCount).c_str(),
        itemText(progress, 2104).c_str());
    saveScreens(shots, L"guide-9-batch-progress", {progress});
    resumeProgram(held);
    HWND summary = waitForWindow(L"一括推定の結果", 120000);
    if (!summary) failStep(L"the batch estimation showed no result window");
    say(stdout, L"guide_driver: batch summary %ls\n", itemText(summary, 2202).c_str());
    saveScreens(shots, L"guide-10-batch-result", {summary});
    const std::vector<std::wstring> lines = readShiftJisLines(report);
    bool batch = false;
    for (const std::wstring& line : lines) {
        batch = batch || line == L"一括推定";
        if (batch) say(stdout, L"guide_driver: batch report %ls\n", line.c_str());
    }
    if (!batch) failStep(L"the batch report has no 一括推定 section");
    PostMessageW(summary, WM_COMMAND, IDCANCEL, 0);
    waitUntilGone(summary, 5000);
}

// The guide's rule for a real breakwater: whichever of B ± 90° lies within 90°
// of θcon, typed as the shore normal, makes the virtual breakwater run towards
// B, for every B within 90° of θcon (checked every 7°, both sides of north).
void checkBreakwaterRule() {
    int cases = 0;
    for (double thetaCon : {58.8, 200.0, 355.0}) {
        for (double turn = -87.0; turn <= 87.0; turn += 7.0) {
            const double b = std::fmod(thetaCon + turn + 360.0, 360.0);
            const double plus = std::fmod(b + 90.0, 360.0), minus = std::fmod(b + 270.0, 360.0);
            auto off = [&](double a) { return std::fabs(std::remainder(a - thetaCon, 360.0)); };
            const double normal = off(plus) < 90.0 ? plus : minus;
            if (std::fabs(std::remainder(virtualBreakwaterAzimuth(thetaCon, normal) - b, 360.0)) > 0.01)
                failStep(L"the guide's rule for a real breakwater does not give its azimuth");
            ++cases;
        }
    }
    say(stdout, L"guide_driver: breakwater rule holds in %d cases\n", cases);
}

// A point in the lee of the harbour's head breakwater (the sample chart's
// plane coordinates have their origin at 36°N 139°50′E, zone IX): the
// breakwater's azimuth measured on the map, the tip as diffraction point, the
// shore normal typed so that the virtual breakwater runs the same way; two
// candidates of one Smax, the notes, the sensitivity and the solver's report
// of the case, and the same case with the shore normal 3° nearer θcon.
void shelteredCase(HWND main, HWND params, const std::wstring& program, const std::wstring& shots, int cx, int cy) {
    double tipNorth, tipEast, cornerNorth, cornerEast;
    clickedPlace(main, cx - 121, cy - 81, 36.0, 139.0 + 50.0 / 60.0, tipNorth, tipEast);
    clickedPlace(main, cx - 146, cy - 120, 36.0, 139.0 + 50.0 / 60.0, cornerNorth, cornerEast);
    const double azimuth =
        std::fmod(std::atan2(cornerEast - tipEast, cornerNorth - tipNorth) * 180.0 / 3.14159265358979 + 360.0, 360.0);
    say(stdout, L"guide_driver: sheltered breakwater runs from its tip towards %.0f°, %.1f m long on the map\n",
        azimuth, std::hypot(cornerEast - tipEast, cornerNorth - tipNorth));
    clickItem(params, 1800);  // 回折地点: 設定する
    setItemText(params, 1539, L"鹿島港内");
    setPoint(main, 0, cx - 156, cy - 77);  // 準沖波地点: 1 km west of the tip, in the basin
    setPoint(main, 2, cx - 124, cy - 81);  // 回折地点: the tip of the head breakwater
    say(stdout, L"guide_driver: sheltered shore normal from the map %ls, θdiff %ls, θ %ls, tip %ls m, point %ls m\n",
        itemText(params, 1527).c_str(), itemText(params, 1528).c_str(), itemText(params, 1507).c_str(),
        itemText(params, 1526).c_str(), itemText(params, 1506).c_str());
    // The head breakwater runs along the contours: the shore normal a little
    // clockwise of θcon makes the virtual one run the same way (north-north-
    // west). The basin's depths are typed: one contour level surrounds it, so
    // the map gives none.
    setItemText(params, 1527, L"63.0");
    setItemText(params, 1526, L"14.0");
    setItemText(params, 1506, L"12.0");
    setItemText(params, 1508, L"1.0");
    setItemText(params, 1509, L"10");
    setItemText(params, 1510, L"95");
    Sleep(300);
    dismissDeepWaterWarning();
    say(stdout, L"guide_driver: sheltered case θcon %ls, shore normal %ls, θdiff %ls, θ %ls, tip %ls m, point %ls m\n",
        itemText(params, 1519).c_str(), itemText(params, 1527).c_str(), itemText(params, 1528).c_str(),
        itemText(params, 1507).c_str(), itemText(params, 1526).c_str(), itemText(params, 1506).c_str());
    // How far the point lies from the tip, in wavelengths at the point (the
    // distance the result's notes measure).
    auto degrees = [&](int first) {
        return _wtof(itemText(params, first).c_str()) + _wtof(itemText(params, first + 1).c_str()) / 60.0 +
               _wtof(itemText(params, first + 2).c_str()) / 3600.0;
    };
    double north = 0.0, east = 0.0;
    vornel::toPlaneRect(degrees(1500), degrees(1503), degrees(1520), degrees(1523), north, east);
    const double distance = std::hypot(north, east);
    const double length = vornel::waveLengthAtDepth(10.0, 12.0);
    say(stdout, L"guide_driver: sheltered point %.0f m from the tip, L %.1f m, %.1f wavelengths\n", distance, length,
        distance / length);
    std::vector<std::wstring> rows;
    HWND result = runAndRead(params, rows);
    printRows(L"sheltered row", rows);
    say(stdout, L"guide_driver: sheltered notes %ls\n", itemText(result, kValidityNotes).c_str());
    RECT pr, rr;
    GetWindowRect(params, &pr);
    GetWindowRect(result, &rr);
    MoveWindow(result, pr.right + 10, 40, rr.right - rr.left, rr.bottom - rr.top, TRUE);
    HWND window = openSensitivity(result);
    saveScreens(shots, L"guide-8-two-candidates", {window});
    bool candidates = false;
    for (const std::wstring& line : readShiftJisLines(program + L"\\zelvo-out_鹿島港内.txt")) {
        candidates = candidates || line.rfind(L"Candidates", 0) == 0;
        if (candidates && !line.empty()) say(stdout, L"guide_driver: sheltered solver %ls\n", line.c_str());
        if (candidates && line.empty()) break;
    }
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    waitUntilGone(window, 5000);
    PostMessageW(result, WM_COMMAND, 2, 0);
    waitUntilGone(result, 5000);
    const bool same = runVariant(params, 1527, L"60.0", L"sheltered 60.0 row") == rows;
    say(stdout, L"guide_driver: sheltered shore normal 60.0 gives %ls\n", same ? L"the same rows" : L"other rows");
}

// "M7000データ一覧から検索" → "M7000データフォルダーの設定": the folder picker
// takes `own` (its only data set), then the data set from the menu (the first
// one, command 1200): the M7000 view and the parameter dialog. Returns the
// dialog.
HWND openOwnDataSet(HWND main, const std::wstring& own) {
    // 地図から検索 first: the overview's paint closes the parameter dialog,
    // which a contour view would open again.
    PostMessageW(main, WM_COMMAND, 130, 0);
    for (int i = 0; i < 100 && findProgramWindow(L"VORNELパラメータ"); ++i) Sleep(100);
    PostMessageW(main, WM_COMMAND, 1600, 0);
    HWND picker = nullptr;
    for (int i = 0; i < 150 && !(picker = findProgramWindowWithItem(1152)); ++i) Sleep(100);
    if (!picker) failStep(L"the M7000 folder command opened no folder picker");
    Sleep(500);
    setItemText(picker, 1152, own.c_str());
    PostMessageW(GetDlgItem(picker, IDOK), BM_CLICK, 0, 0);
    if (!waitUntilGone(picker, 15000)) failStep(L"the folder picker stayed open");
    Sleep(500);
    PostMessageW(main, WM_COMMAND, 1200, 0);
    HWND params = waitForWindow(L"VORNELパラメータ", 20000);
    if (!params) failStep(L"the own M7000 data set opened no parameter dialog");
    Sleep(500);
    return params;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3 || argc > 5) {
        say(stderr,
            L"usage: release_guide_driver <program folder> <screenshot folder or -> "
            L"[<own M7000 folder> [<work folder>]]\n");
        return 1;
    }
    const std::wstring folder = argv[1];
    const std::wstring shots = argv[2];
    const std::wstring work = argc == 5 ? argv[4] : std::wstring();
    if (shots != L"-") CreateDirectoryW(shots.c_str(), nullptr);

    const std::wstring program = folder + L"\\VORNEL.exe";
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
        say(stderr, L"guide_driver: cannot start %ls (error %lu)\n", program.c_str(), GetLastError());
        return 2;
    }
    CloseHandle(process.hThread);
    programId = process.dwProcessId;
    programProcess = process.hProcess;

    HWND main = waitForWindow(L"VORNELシステム", 60000);
    if (!main) {
        say(stderr, L"guide_driver: no window VORNELシステム\n");
        TerminateProcess(programProcess, 1);
        return 2;
    }
    say(stdout, L"guide_driver: window VORNELシステム found\n");
    // Room on the left for the parameter dialog, which opens beside the map.
    const int mainLeft = 290, mainWidth = 1000, mainHeight = 760;
    MoveWindow(main, mainLeft, 0, mainWidth, mainHeight, TRUE);
    Sleep(1500);
    saveScreens(shots, L"guide-1-overview", {main});

    // The chart 6366_1 鹿島港付近 from the 5万分の1 menu: the contour view and the parameter dialog.
    PostMessageW(main, WM_COMMAND, chartCommand(folder, "6366_1"), 0);
    HWND params = waitForWindow(L"VORNELパラメータ", 20000);
    if (!params) failStep(L"choosing the chart opened no parameter dialog");
    for (int i = 0; i < 3; ++i) SendMessageW(main, WM_COMMAND, 120, 0);  // 拡大 three times
    RECT client;
    GetClientRect(main, &client);
    const int cx = client.right / 2, cy = client.bottom / 2;
    Sleep(500);
    saveScreens(shots, L"guide-2-contour-view", {params, main});

    // The wave at the quasi-offshore point, the relation and the title, typed
    // before the points: a period typed after a shallow offshore point would
    // show the deep-water warning inside the sent WM_SETTEXT.
    setItemText(params, 1508, L"2.5");
    setItemText(params, 1509, L"10");
    setItemText(params, 1510, L"80");
    SendDlgItemMessageW(params, 1601, CB_SETCURSEL, 1, 0);
    setItemText(params, 1539, L"鹿島試験");
    clickItem(params, 1801);  // 回折地点: 設定しない (the wave gauge stands in open water)
    // The three points, placed relative to the centre of the chart (the coast
    // runs from north-north-west to south-south-east, the sea is to the east).
    setPoint(main, 0, cx - 66, cy - 47);    // 準沖波地点: the wave gauge off the harbour, 24 m deep
    setPoint(main, 1, cx - 116, cy - 157);  // 等深線の代表点: where the 30 m contour runs with its mean trend
    setPoint(main, 3, cx + 285, cy - 208);  // 沖波地点: inside the 100 m contour, deeper than L0/2
    saveScreens(shots, L"guide-3-points", {params, main});
    const std::vector<std::wstring> typed = fieldTexts(params);
    say(stdout, L"guide_driver: θcon %ls, h/L0 %ls\n", itemText(params, 1519).c_str(), itemText(params, 1511).c_str());
    for (int kind : {0, 1, 3}) {  // the example has no diffraction point
        const int first = kFirstField + (kind == 0 ? 0 : kind == 1 ? 12 : 30);
        say(stdout, L"guide_driver: table point %d  %ls°%ls′%ls″  %ls°%ls′%ls″  %ls m\n", kind,
            typed[first - kFirstField].c_str(), typed[first + 1 - kFirstField].c_str(),
            typed[first + 2 - kFirstField].c_str(), typed[first + 3 - kFirstField].c_str(),
            typed[first + 4 - kFirstField].c_str(), typed[first + 5 - kFirstField].c_str(),
            typed[first + 6 - kFirstField].c_str());
    }

    std::vector<std::wstring> rows;
    HWND result = runAndRead(params, rows);
    printRows(L"row", rows);
    // The result dialog opens over the map: show it beside the parameter dialog.
    RECT pr, rr;
    GetWindowRect(params, &pr);
    GetWindowRect(result, &rr);
    MoveWindow(result, pr.right + 10, 40, rr.right - rr.left, rr.bottom - rr.top, TRUE);
    saveScreens(shots, L"guide-4-result", {params, main, result});
    printWholeSea(folder, L"鹿島試験", _wtof(itemText(params, 1519).c_str()));
    PostMessageW(result, WM_COMMAND, 2, 0);  // 閉じる
    Sleep(500);

    // The example typed from its table: 入力クリア, then each point's
    // coordinates, then its depth and θcon (typed coordinates work both out
    // afresh, so the table's values are typed after them), then the wave.
    clickItem(params, 1750);
    const int typingOrder[] = {1500, 1501, 1502, 1503, 1504, 1505, 1506, 1512, 1513, 1514, 1515, 1516, 1517,
                               1518, 1519, 1530, 1531, 1532, 1533, 1534, 1535, 1536, 1508, 1509, 1510};
    for (int id : typingOrder) {
        setItemText(params, id, typed[id - kFirstField].c_str());
        Sleep(50);
    }
    dismissDeepWaterWarning();
    std::vector<std::wstring> typedRows;
    result = runAndRead(params, typedRows);
    if (typedRows != rows) {
        for (const std::wstring& row : typedRows) say(stderr, L"guide_driver: typed run  %ls\n", row.c_str());
        failStep(L"the example typed from its table gives other rows than the clicks");
    }
    say(stdout, L"guide_driver: the example typed from its table gives the same %zu rows\n", typedRows.size());
    GetWindowRect(result, &rr);
    MoveWindow(result, pr.right + 10, 40, rr.right - rr.left, rr.bottom - rr.top, TRUE);
    if (!work.empty()) exampleSensitivity(result, shots, work);
    PostMessageW(result, WM_COMMAND, 2, 0);
    waitUntilGone(result, 5000);
    // The guide's variants of the example: a direction near the refraction
    // limit, and θcon read a few degrees either way.
    runVariant(params, 1510, L"119", L"direction 119 row");
    runVariant(params, 1519, L"55.0", L"θcon 55 row");
    runVariant(params, 1519, L"62.0", L"θcon 62 row");
    if (!work.empty()) batchEstimation(main, shots, work);

    // The figure of the virtual breakwater: a tip whose shore normal is the
    // coast's (θcon of the example rounded), θcon 3° to either side of it, the
    // point south of the tip.
    const double thetaCon = _wtof(itemText(params, 1519).c_str());
    writeBreakwaterFigure(shots, std::round(thetaCon), 3.0, 180.0);
    checkBreakwaterRule();
    if (!work.empty()) shelteredCase(main, params, folder, shots, cx, cy);

    // Close as a user would: Esc in the parameter dialog.
    PostMessageW(params, WM_COMMAND, 2, 0);
    Sleep(500);

    // The engineer's own data: the converted grid in the M7000 view, with the
    // quasi-offshore point set in the middle of it.
    if (argc >= 4) {
        params = openOwnDataSet(main, argv[3]);
        setPoint(main, 0, cx, cy);
        saveScreens(shots, L"guide-5-own-data", {params, main});
        say(stdout, L"guide_driver: own data set shown, quasi-offshore point %ls m deep\n",
            itemText(params, 1506).c_str());
        PostMessageW(params, WM_COMMAND, 2, 0);
        Sleep(500);
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(programProcess, 15000) != WAIT_OBJECT_0) {
        say(stderr, L"guide_driver: the program did not end after WM_CLOSE\n");
        TerminateProcess(programProcess, 1);
        return 4;
    }
    say(stdout, L"guide_driver: estimation done, %zu candidate rows shown, program closed\n", rows.size());
    return 0;
}
