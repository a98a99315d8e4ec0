// Drives a real VORNEL.exe from outside, under Wine, through the guide's
// example on the sample data, as a user would: choose the 1:50,000 chart
// 6366_1 鹿島港付近 (it reaches 100 m, deep water for 10 s), zoom in, click
// and set three points (no diffraction point), type the wave, pick a spreading
// relation, 計算開始, and read the result dialog. Then it clears the input,
// types the example's table (the values the clicks gave) and runs again: the
// rows must be the same. Saves screenshots of each step for the guide and
// draws the guide's figure of the virtual breakwater (guide-6-breakwater.svg)
// from the program's own θdiff and θ. Given a
// folder holding one M7000 data set made by vornel-contour.exe, it then
// chooses that folder as the M7000 folder, opens the data set and sets the
// quasi-offshore point on it (the guide's own-data screenshot).
//
//   release_guide_driver.exe <program folder> <screenshot folder or "-"> [<own M7000 folder>]
//
// Prints the result rows. Exit codes: 0 done; 1 usage; 2 the program did not
// start or show its window; 3 a step failed (the message says which); 4 the
// program did not end after WM_CLOSE.
//
// Everything goes through messages that work across processes (WM_COMMAND,
// mouse messages, BM_CLICK, WM_SETTEXT, CB_SETCURSEL); commands that open a
// modal window are posted.
#include <windows.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "estimation/params.h"
#include "estimation/wave.h"
#include "win32_test_support.h"

namespace {

// Formatted output as UTF-8 bytes: the C runtime's wide output stops at the
// first character outside its locale.
void say(FILE* stream, const wchar_t* format, ...) {
    wchar_t text[2048];
    va_list args;
    va_start(args, format);
    _vsnwprintf(text, 2047, format, args);
    va_end(args);
    text[2047] = 0;
    char bytes[8192];
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    if (n > 1) fwrite(bytes, 1, n - 1, stream);
    fflush(stream);
}

DWORD programId = 0;
HANDLE programProcess = nullptr;

[[noreturn]] void failStep(const wchar_t* what) {
    say(stderr, L"guide_driver: %ls\n", what);
    if (programProcess) TerminateProcess(programProcess, 1);
    ExitProcess(3);
}

struct Search {
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != programId || !IsWindowVisible(window)) return TRUE;
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (wcscmp(text, search->caption) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

HWND findProgramWindow(const wchar_t* caption) {
    Search search{caption, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A window of the program holding a control `itemId`: the system's folder
// picker, whose caption follows the system's language.
HWND findProgramWindowWithItem(int itemId) {
    struct ItemSearch {
        int id;
        HWND found;
    } search{itemId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<ItemSearch*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != programId || !IsWindowVisible(window) || !GetDlgItem(window, s->id)) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindow(const wchar_t* caption, int ms) {
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(ms);
    do {
        if (HWND window = findProgramWindow(caption)) return window;
        if (WaitForSingleObject(programProcess, 0) == WAIT_OBJECT_0) return nullptr;
        Sleep(100);
    } while (static_cast<LONG>(deadline - GetTickCount()) > 0);
    return nullptr;
}

// The text of a message box of the program (its static text), when one shows.
std::wstring messageBoxText(const wchar_t* caption) {
    HWND box = findProgramWindow(caption);
    if (!box) return std::wstring();
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    return text;
}

std::wstring itemText(HWND window, int id) {
    wchar_t text[256] = {};
    SendDlgItemMessageW(window, id, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

void setItemText(HWND window, int id, const wchar_t* text) {
    SendDlgItemMessageW(window, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Posted: a click may open a message box (the deep-water warning), and a sent
// click would wait for it to close.
void clickItem(HWND window, int id) {
    PostMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
    Sleep(400);
}

// Closes the deep-water warning when it shows, and says so.
void dismissDeepWaterWarning() {
    if (HWND box = findProgramWindow(L"沖波地点の設定")) {
        say(stdout, L"guide_driver: deep-water warning: %ls\n", messageBoxText(L"沖波地点の設定").c_str());
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        Sleep(300);
    }
}

// Saves the screen area covering the given windows as a 24-bit BMP.
void saveScreens(const std::wstring& folder, const wchar_t* name, std::initializer_list<HWND> windows) {
    if (folder == L"-") return;
    Sleep(700);  // let the program finish painting
    RECT area{};
    bool first = true;
    for (HWND window : windows) {
        if (!window) continue;
        RECT r;
        GetWindowRect(window, &r);
        if (first) area = r; else UnionRect(&area, &area, &r);
        first = false;
    }
    area.left = area.left < 0 ? 0 : area.left;
    area.top = area.top < 0 ? 0 : area.top;
    const std::wstring path = folder + L"\\" + name + L".bmp";
    if (!vornel::test::saveScreenArea(area, path)) failStep(L"cannot write a screenshot");
    say(stdout, L"guide_driver: screenshot %ls\n", path.c_str());
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

// ---- The figure of the virtual breakwater ----

double azimuthRadians(double azimuth) {
    return azimuth * 3.14159265358979 / 180.0;
}

// A point `length` px from (x, y) towards `azimuth` (SVG: y grows downwards).
void towards(double x, double y, double azimuth, double length, double& tx, double& ty) {
    tx = x + length * std::sin(azimuthRadians(azimuth));
    ty = y - length * std::cos(azimuthRadians(azimuth));
}

struct FigurePanel {
    double thetaCon;
    double shoreNormal;
    const char* title;
};

// One panel: the tip at (x0, y0), the point `pointAzimuth` from it. θdiff,
// θ and the side of the breakwater come from the program's own functions:
// the half-line is the direction from the tip in which θ would be 270 (-90),
// the edge of the shadow.
void drawPanel(std::string& svg, double x0, double y0, const FigurePanel& panel, double pointAzimuth) {
    using namespace vornel;
    resetEstimationParams();
    EstimationParams& p = estimationParams();
    p.thetaCon = panel.thetaCon;
    p.shoreNormal = panel.shoreNormal;
    p.diffractionPoint.lat = p.quasiOffshorePoint.lat = 35.0;
    p.diffractionPoint.lon = p.quasiOffshorePoint.lon = 140.0;
    const double thetaDiff = breakwaterNormal(panel.shoreNormal);
    auto thetaTowards = [&](double azimuth) {
        p.quasiOffshorePoint.north = 1000.0 * std::cos(azimuthRadians(azimuth));
        p.quasiOffshorePoint.east = 1000.0 * std::sin(azimuthRadians(azimuth));
        double theta = 0.0;
        if (!computeBreakwaterAngle(theta)) failStep(L"the figure's θ could not be computed");
        return theta;
    };
    const double plus = thetaDiff + 90.0, minus = thetaDiff - 90.0;
    const double breakwater = std::fabs(thetaTowards(plus) - 270.0) < 0.01 ? plus : minus;
    if (std::fabs(thetaTowards(breakwater) - 270.0) > 0.01) failStep(L"no breakwater side in the figure");
    const double theta = thetaTowards(pointAzimuth);

    char buf[1024];
    auto add = [&](const char* format, auto... args) {
        std::snprintf(buf, sizeof buf, format, args...);
        svg += buf;
    };
    double x, y, x2, y2;
    // The shadow: from the breakwater round to θdiff, behind the half-line.
    towards(x0, y0, breakwater, 130, x, y);
    towards(x0, y0, thetaDiff, 130, x2, y2);
    const int sweep = std::fmod(thetaDiff - breakwater + 360.0, 360.0) < 180.0 ? 1 : 0;
    add("<path d='M%.1f,%.1f L%.1f,%.1f A130,130 0 0 %d %.1f,%.1f Z' fill='#dde6f0'/>\n", x0, y0, x, y, sweep, x2, y2);
    towards(x0, y0, (breakwater + (sweep ? 45.0 : -45.0)), 95, x, y);
    add("<text x='%.1f' y='%.1f' font-size='11' fill='#345' text-anchor='middle'>陰の側</text>\n", x, y + 4);
    // The half-line and the directions from the tip.
    towards(x0, y0, breakwater, 140, x, y);
    add("<line x1='%.1f' y1='%.1f' x2='%.1f' y2='%.1f' stroke='#555' stroke-width='7'/>\n", x0, y0, x, y);
    auto arrow = [&](double azimuth, double length, const char* colour, const char* dash) {
        towards(x0, y0, azimuth, length, x, y);
        add("<line x1='%.1f' y1='%.1f' x2='%.1f' y2='%.1f' stroke='%s' stroke-width='2' %s "
            "marker-end='url(#head)'/>\n", x0, y0, x, y, colour, dash);
    };
    arrow(panel.shoreNormal, 120, "#2a7a2a", "");
    arrow(panel.thetaCon, 100, "#b0308f", "stroke-dasharray='6,3'");
    arrow(thetaDiff, 120, "#2a7a2a", "stroke-dasharray='2,3'");
    // The point and θ, counted from θdiff.
    towards(x0, y0, pointAzimuth, 110, x, y);
    add("<line x1='%.1f' y1='%.1f' x2='%.1f' y2='%.1f' stroke='#999' stroke-width='3'/>\n", x0, y0, x, y);
    add("<path d='M%.1f,%.1f l12,12 m0,-12 l-12,12' stroke='#d00' stroke-width='2'/>\n", x - 6, y - 6);
    add("<text x='%.1f' y='%.1f' font-size='11' fill='#d00'>準沖波地点</text>\n", x + 10, y + 14);
    towards(x0, y0, thetaDiff, 50, x, y);
    towards(x0, y0, pointAzimuth, 50, x2, y2);
    const double turn = std::fmod(pointAzimuth - thetaDiff + 360.0, 360.0);
    add("<path d='M%.1f,%.1f A50,50 0 0 %d %.1f,%.1f' fill='none' stroke='#d00' stroke-width='1.5'/>\n", x, y,
        turn < 180.0 ? 1 : 0, x2, y2);
    add("<circle cx='%.1f' cy='%.1f' r='4' fill='#2a7a2a'/>\n", x0, y0);
    // The legend above the drawing.
    const double lx = x0 - 165, ly = 22;
    add("<text x='%.1f' y='%.1f' font-size='13' font-weight='bold'>%s</text>\n", lx, ly, panel.title);
    struct Entry {
        const char* stroke;
        const char* width;
        const char* extra;
        const char* format;
        double value;
    } const entries[] = {
        {"#2a7a2a", "2", "", "汀線の直交方向 %.1f°", panel.shoreNormal},
        {"#b0308f", "2", "stroke-dasharray='6,3'", "θcon(等深線の垂線)%.1f°", panel.thetaCon},
        {"#2a7a2a", "2", "stroke-dasharray='2,3'", "θdiff(仮想防波堤の法線)%.1f°", thetaDiff},
        {"#555", "7", "", "仮想防波堤 %.1f°の向き", breakwater < 0.0 ? breakwater + 360.0 : breakwater},
        {"#d00", "1.5", "", "θ(θdiff から)= %.1f°", theta},
    };
    for (std::size_t i = 0; i < std::size(entries); ++i) {
        const double ey = ly + 20 + 17 * i;
        add("<line x1='%.1f' y1='%.1f' x2='%.1f' y2='%.1f' stroke='%s' stroke-width='%s' %s/>\n", lx, ey - 4, lx + 28,
            ey - 4, entries[i].stroke, entries[i].width, entries[i].extra);
        char text[160];
        std::snprintf(text, sizeof text, entries[i].format, entries[i].value);
        add("<text x='%.1f' y='%.1f' font-size='11'>%s</text>\n", lx + 36, ey, text);
    }
    say(stdout, L"guide_driver: figure panel θcon %.1f, shore normal %.1f: θdiff %.1f, breakwater %.1f, θ %.1f\n",
        panel.thetaCon, panel.shoreNormal, thetaDiff, breakwater, theta);
}

// Two panels: the angles of a tip whose shore normal is `shoreNormal`, with
// θcon turned a little to either side of it, and the point `pointAzimuth` from
// the tip. The same small turn the other way puts the breakwater on the other side.
void writeBreakwaterFigure(const std::wstring& folder, double shoreNormal, double turn, double pointAzimuth) {
    if (folder == L"-") return;
    std::string svg =
        "<svg xmlns='http://www.w3.org/2000/svg' width='720' height='420' viewBox='0 0 720 420' "
        "font-family='IPAPGothic, IPAGothic, sans-serif'>\n"
        "<defs><marker id='head' markerUnits='userSpaceOnUse' markerWidth='9' markerHeight='9' refX='8' refY='4.5' orient='auto'>"
        "<path d='M0,0 L9,4.5 L0,9 Z' fill='#444'/></marker></defs>\n"
        "<rect width='720' height='420' fill='white'/>\n";
    char title[2][128];
    std::snprintf(title[0], sizeof title[0], "(a) θcon が直交方向から時計回りに %.1f°", turn);
    std::snprintf(title[1], sizeof title[1], "(b) θcon が反時計回りに %.1f°", turn);
    drawPanel(svg, 180, 250, {shoreNormal + turn, shoreNormal, title[0]}, pointAzimuth);
    drawPanel(svg, 540, 250, {shoreNormal - turn, shoreNormal, title[1]}, pointAzimuth);
    svg += "<text x='360' y='410' font-size='11' text-anchor='middle' fill='#333'>"
           "方位は平面直角座標の座標北から時計回り。緑の点が回折地点(防波堤の先端)。</text>\n</svg>\n";
    FILE* file = _wfopen((folder + L"\\guide-6-breakwater.svg").c_str(), L"wb");
    if (!file || std::fwrite(svg.data(), 1, svg.size(), file) != svg.size() || std::fclose(file) != 0)
        failStep(L"cannot write the breakwater figure");
    say(stdout, L"guide_driver: figure %ls\\guide-6-breakwater.svg\n", folder.c_str());
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
    for (int i = 0; i < 150 && IsWindow(picker) && IsWindowVisible(picker); ++i) Sleep(100);
    if (IsWindow(picker) && IsWindowVisible(picker)) failStep(L"the folder picker stayed open");
    Sleep(500);
    PostMessageW(main, WM_COMMAND, 1200, 0);
    HWND params = waitForWindow(L"VORNELパラメータ", 20000);
    if (!params) failStep(L"the own M7000 data set opened no parameter dialog");
    Sleep(500);
    return params;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 && argc != 4) {
        say(stderr, L"usage: release_guide_driver <program folder> <screenshot folder or -> [<own M7000 folder>]\n");
        return 1;
    }
    const std::wstring folder = argv[1];
    const std::wstring shots = argv[2];
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
    for (std::size_t r = 0; r < rows.size(); ++r) say(stdout, L"guide_driver: row %2zu  %ls\n", r + 1, rows[r].c_str());
    // The result dialog opens over the map: show it beside the parameter dialog.
    RECT pr, rr;
    GetWindowRect(params, &pr);
    GetWindowRect(result, &rr);
    MoveWindow(result, pr.right + 10, 40, rr.right - rr.left, rr.bottom - rr.top, TRUE);
    saveScreens(shots, L"guide-4-result", {params, main, result});
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
    PostMessageW(result, WM_COMMAND, 2, 0);
    Sleep(500);

    // The figure of the virtual breakwater: a tip whose shore normal is the
    // coast's (θcon of the example rounded), θcon 3° to either side of it, the
    // point south of the tip.
    const double thetaCon = _wtof(itemText(params, 1519).c_str());
    writeBreakwaterFigure(shots, std::round(thetaCon), 3.0, 180.0);

    // Close as a user would: Esc in the parameter dialog.
    PostMessageW(params, WM_COMMAND, 2, 0);
    Sleep(500);

    // The engineer's own data: the converted grid in the M7000 view, with the
    // quasi-offshore point set in the middle of it.
    if (argc == 4) {
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
