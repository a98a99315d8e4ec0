// vornel-contour on Windows. From a command prompt it prints to the console;
// started with a console of its own (a grid dropped on it in Explorer, a
// shortcut) it closes that console at once and shows the outcome in a message
// box, writing beside the grid when no folder is given. Started with no
// console (Task Scheduler, a service, a program that hides it) it shows no
// box that nobody could answer: it writes to the standard handles it has, if
// any, and ends with its exit status.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "contour_command.h"
#include "input_error.h"
#include "m7000_writer.h"
#include "messages.h"

namespace {

using namespace gridcontour;

std::wstring wideOf(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), length);
    return text;
}

// A desktop a user sees: not that of a service or of a task that runs
// whether anyone is logged on.
bool interactiveWindowStation() {
    const HWINSTA station = GetProcessWindowStation();
    USEROBJECTFLAGS flags{};
    DWORD needed = 0;
    if (!station || !GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, &needed)) return true;
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

// The outcome goes into a message box when nobody reads our output: it goes
// to no file or pipe, the console was made for this run alone and has a
// window (Explorer's, or a terminal's), and a user can see the desktop.
// Without a console, or with one made without a window, there is no one to
// click a box away: the run would wait for ever.
bool answerInBox() {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out && out != INVALID_HANDLE_VALUE) {
        const DWORD type = GetFileType(out);
        if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) return false;
    }
    DWORD processes[2];
    return GetConsoleProcessList(processes, 2) == 1 && GetConsoleWindow() != nullptr && interactiveWindowStation();
}

// Writes to the console as UTF-16 (right on any code page); into a file or
// pipe as Shift_JIS, the text encoding of VORNEL's files.
void writeLine(DWORD which, const std::wstring& text) {
    const HANDLE handle = GetStdHandle(which);
    if (!handle || handle == INVALID_HANDLE_VALUE) return;
    const std::wstring line = text + L"\r\n";
    DWORD done = 0;
    if (GetFileType(handle) == FILE_TYPE_CHAR &&
        WriteConsoleW(handle, line.data(), static_cast<DWORD>(line.size()), &done, nullptr))
        return;
    const int length = WideCharToMultiByte(932, 0, line.data(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(932, 0, line.data(), static_cast<int>(line.size()), bytes.data(), length, nullptr, nullptr);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
}

// VORNEL keeps data-set names as Shift_JIS: a character it cannot hold would
// make VORNEL refuse the file, so it becomes '_' here; and the name stops at
// 100 bytes of Shift_JIS, after a whole character.
std::filesystem::path shiftJisStem(const std::filesystem::path& grid) {
    constexpr int kMaxBytes = 100;
    const std::wstring stem = grid.stem().native();
    std::wstring result;
    int bytesSoFar = 0;
    for (std::size_t i = 0; i < stem.size(); ++i) {
        const std::size_t width = (IS_HIGH_SURROGATE(stem[i]) && i + 1 < stem.size()) ? 2 : 1;
        char bytes[8];
        BOOL lossy = FALSE;
        const int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, stem.data() + i, static_cast<int>(width),
                                               bytes, sizeof bytes, nullptr, &lossy);
        const bool kept = length > 0 && !lossy;
        const int size = kept ? length : 1;
        if (bytesSoFar + size > kMaxBytes) break;
        bytesSoFar += size;
        if (kept) result.append(stem, i, width);
        else result += L'_';
        i += width - 1;
    }
    return result;
}

std::filesystem::path programFolder() {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    return std::filesystem::path(std::wstring(path, length)).parent_path();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool boxes = answerInBox();
    if (boxes) FreeConsole();
    const auto report = [boxes](const std::string& message, bool ok) {
        if (boxes)
            MessageBoxW(nullptr, wideOf(message).c_str(), L"vornel-contour",
                        MB_OK | MB_SETFOREGROUND | (ok ? MB_ICONINFORMATION : MB_ICONWARNING));
        else  // a line at a time: the console wants CR LF
            for (std::size_t start = 0; start <= message.size();) {
                const std::size_t end = std::min(message.find('\n', start), message.size());
                const std::string line = message.substr(start, end - start);
                writeLine(ok ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE, wideOf(ok || start ? line : "vornel-contour: " + line));
                start = end + 1;
            }
    };

    std::vector<std::filesystem::path> arguments(argv + 1, argv + argc);
    ContourOptions options;
    try {
        options = parseArguments(arguments);
    } catch (const InputError& error) {
        report(error.what(), false);
        return 2;
    }
    if (options.help) {
        report(msg::help(), true);
        return 0;
    }
    options.reservedCodes = codesKnownToVornel(programFolder());
    options.dataSetStem = shiftJisStem(options.grid);
    const ContourOutcome outcome = runContour(options);
    if (outcome.exitCode != 0) {
        report(outcome.message, false);
        return outcome.exitCode;
    }
    const std::u8string path = outcome.written.u8string();
    const std::string pathText(path.begin(), path.end());
    if (boxes)
        report(outcome.message + "\n\n" + pathText +
                   "\n\nVORNEL の「M7000データ一覧から検索」→「M7000データフォルダーの設定」でこのフォルダーを選ぶと開けます。",
               true);
    else {
        writeLine(STD_OUTPUT_HANDLE, wideOf(outcome.message));
        writeLine(STD_OUTPUT_HANDLE, outcome.written.native());
    }
    return 0;
}
