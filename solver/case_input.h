// The input file zelvo-in.txt as the main program writes it: the title on line 1, then eight
// tagged numbers "tag***|value", one a line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "inverse.h"

namespace zelvo {

inline constexpr const char* kInputFileName = "zelvo-in.txt";
inline constexpr std::size_t kMaxTitleBytes = 100;

// The eight values in file order. The tags are six bytes, as they also label the echo lines.
enum InputField { CONTOUR_NORMAL, BREAKWATER_NORMAL, POINT_ANGLE, TIP_DEPTH, POINT_DEPTH, HEIGHT, PERIOD, DIRECTION };
inline constexpr int kInputFieldCount = 8;
inline constexpr const char* kInputTags[kInputFieldCount] = {"azim**", "angl**", "sit***", "hh_B**",
                                                             "hh_A**", "h13***", "t13***", "dir***"};

// Written after angl** when the diffraction point is not used. Anything above this threshold
// (never a direction the main program writes) is read the same way.
inline constexpr double kDiffractionOffValue = 999.0;
inline constexpr double kDiffractionOffThreshold = 900.0;

struct CaseInput {
    std::string title;  // bytes as read (Shift_JIS), without the line end
    double values[kInputFieldCount] = {};
    bool diffraction() const { return values[BREAKWATER_NORMAL] < kDiffractionOffThreshold; }
    Observation observation() const;
};

// Checks that the title can become part of a file name in the current folder and nowhere else:
// valid Shift_JIS, no control characters, none of \ / : * ? " < > |, no "..", at most 100 bytes.
// Trail bytes of double-byte characters may equal '\' or '|' and are not separators. On failure
// `why` says what is wrong.
bool checkTitle(std::string_view title, std::string& why);

// Parses the whole file. Line ends may be CR LF or LF. On failure `why` holds one line (without
// a line end) naming the line and the fault, and the title is not checked yet.
bool parseCaseInput(std::string_view bytes, CaseInput& out, std::string& why);

// The pieces of that reader, which the batch input shares.
// The lines of a file, without CR LF or LF; a last line without its line end counts.
std::vector<std::string_view> splitLines(std::string_view bytes);
// A number in C syntax, blanks after it allowed; false for anything else or a value not finite.
bool parseNumber(std::string_view text, double& out);
// The title and the first `fields` tagged lines of `lines`, with the depths checked.
bool parseCaseHeader(const std::vector<std::string_view>& lines, int fields, const char* fileName, CaseInput& out,
                     std::string& why);
// H1/3 and T1/3 within the accepted ranges; `why` names them as given.
bool checkWave(double height, double period, const char* heightName, const char* periodName, std::string& why);

}  // namespace zelvo
