#include "estimation/field_checks.h"

#include <cmath>

#include "estimation/messages.h"
#include "estimation/numeric_text.h"
#include "estimation/params.h"
#include "platform/text.h"

namespace vornel {

namespace {

using enum FieldCheck;

// Check type by field index: each point group repeats latitude (degrees,
// minutes, seconds) and longitude (degrees, minutes, seconds), then depth.
constexpr FieldCheck kFieldChecks[kParamFieldCount] = {
    // 1500 ... 1511: quasi-offshore point, then θ, height, period, direction, h/L0
    LatDegrees, Minutes, Seconds, LonDegrees, Minutes, Seconds, Magnitude, Angle, Magnitude, Magnitude, Angle,
    Magnitude,
    // 1512 ... 1519: contour point, θcon
    LatDegrees, Minutes, Seconds, LonDegrees, Minutes, Seconds, Magnitude, Angle,
    // 1520 ... 1529: diffraction point, shore normal, θdiff, an unused index
    LatDegrees, Minutes, Seconds, LonDegrees, Minutes, Seconds, Magnitude, Angle, Angle, Magnitude,
    // 1530 ... 1536: offshore point
    LatDegrees, Minutes, Seconds, LonDegrees, Minutes, Seconds, Magnitude};

// The rejection message holds at most this many characters; a longer typed
// text is cut so that the message stays whole.
constexpr std::size_t kMaxMessageChars = 255;

std::wstring rejectionText(const std::wstring& t, std::wstring_view typed) {
    const std::size_t at = t.find(L"%s");
    const std::wstring prefix = t.substr(0, at);
    const std::wstring suffix = t.substr(at + 2);
    std::size_t room = kMaxMessageChars - prefix.size() - suffix.size();
    if (typed.size() > room) {
        // Never keep half of a surrogate pair (wide text is UTF-16 on Windows).
        if (room > 0 && typed[room - 1] >= 0xD800 && typed[room - 1] < 0xDC00) --room;
        typed = typed.substr(0, room);
    }
    return prefix + std::wstring(typed) + suffix;
}

std::wstring rejectionText(const char* templ, std::wstring_view typed) {
    return rejectionText(widen(templ), typed);
}

// A message about field `fieldIndex`: its name in the first "%s" of `templ`,
// the typed text in the second.
std::wstring fieldRejectionText(const char* templ, int fieldIndex, std::wstring_view typed) {
    const std::wstring t = widen(templ);
    const std::size_t at = t.find(L"%s");
    return rejectionText(t.substr(0, at) + fieldName(fieldIndex) + t.substr(at + 2), typed);
}

bool isWholeNumberCheck(FieldCheck check) {
    return check == LatDegrees || check == LonDegrees || check == Minutes;
}

bool isTokenSeparator(wchar_t c) {
    return c == L' ' || c == L',' || c == L'\t' || c == L'\r' || c == L'\n';
}

// Pads `text` on the left with blanks to `width` bytes, as "%<width>s" does.
std::string padLeft(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

}  // namespace

FieldCheck fieldCheckOf(int fieldIndex) {
    if (fieldIndex < 0 || fieldIndex >= kParamFieldCount) return Magnitude;
    return kFieldChecks[fieldIndex];
}

bool fieldEntryAccepted(int fieldIndex, int intValue, double realValue) {
    switch (fieldCheckOf(fieldIndex)) {
        case LatDegrees: return intValue >= -90 && intValue <= 90;
        case LonDegrees: return intValue >= 0 && intValue <= 359;
        case Minutes: return intValue >= 0 && intValue <= 59;
        case Seconds: return realValue >= 0.0 && realValue < 60.0;
        case Magnitude: return realValue >= 0.0 && realValue < 9999.9;
        case Angle: return realValue >= 0.0 && realValue < 360.0;
    }
    return true;
}

std::wstring fieldName(int fieldIndex) {
    const int id = kFirstParamFieldId + fieldIndex;
    const auto group = [](int kind) { return widen(msg::kPointGroupNames[kind]) + L"の"; };
    constexpr int kGroupFirst[4] = {1500, 1512, 1520, 1530};
    for (int kind = 0; kind < 4; ++kind)
        if (id >= kGroupFirst[kind] && id < kGroupFirst[kind] + 7)
            return group(kind) + widen(msg::kCoordinateFieldNames[id - kGroupFirst[kind]]);
    for (const msg::FieldLabel& label : msg::kOtherFieldNames)
        if (label.id == id) return group(label.group) + widen(label.name);
    return std::wstring();
}

int checkFieldEntry(WindowRef window, int fieldIndex, int intValue, double realValue, std::wstring_view text) {
    if (fieldEntryAccepted(fieldIndex, intValue, realValue)) {
        // In range, but only as far as the text was read: a second number
        // (「2,5」 runs as 2) or a fraction in a whole-number field (35.5° as
        // 35°) would change the case without a word.
        const char* problem = nullptr;
        if (hasStrayDigits(text))
            problem = msg::kStrayDigitsText;
        else if (isWholeNumberCheck(fieldCheckOf(fieldIndex)) && realValue != intValue)
            problem = msg::kNotWholeText;
        if (!problem) return 0;
        platform().warn(window, widen(msg::kNumberCaption), fieldRejectionText(problem, fieldIndex, text));
        return 1;
    }
    const char* message = nullptr;
    const char* caption = nullptr;
    switch (fieldCheckOf(fieldIndex)) {
        case LatDegrees: message = msg::kLatDegreesText, caption = msg::kLatDegreesCaption; break;
        case LonDegrees: message = msg::kLonDegreesText, caption = msg::kLonDegreesCaption; break;
        case Minutes: message = msg::kMinutesText, caption = msg::kMinutesCaption; break;
        case Seconds: message = msg::kSecondsText, caption = msg::kSecondsCaption; break;
        case Magnitude: message = msg::kMagnitudeText, caption = msg::kMagnitudeCaption; break;
        case Angle: message = msg::kAngleText, caption = msg::kAngleCaption; break;
    }
    platform().warn(window, widen(caption), rejectionText(message, text));
    return 1;
}

int readIntField(DialogFields& dialog, int fieldId, int lo, int hi, int& out) {
    const std::wstring text = dialog.text(fieldId);
    if (text.empty()) return 0;
    out = textToInt(text);
    if (out < lo) {
        out = lo;
        return 0;
    }
    if (out > hi) {
        out = hi;
        return 0;
    }
    return static_cast<int>(text.size());
}

int readRealField(DialogFields& dialog, int fieldId, double lo, double hi, double& out) {
    std::wstring text = foldFullWidth(dialog.text(fieldId));
    if (text.size() > 256) text.resize(256);  // the field is read into 256 characters
    std::size_t begin = 0;
    while (begin < text.size() && isTokenSeparator(text[begin])) ++begin;
    if (begin == text.size()) return 0;
    std::size_t end = begin;
    while (end < text.size() && !isTokenSeparator(text[end])) ++end;
    out = textToReal(std::wstring_view(text).substr(begin, end - begin));
    if (out < lo) {
        out = lo;
        return 0;
    }
    if (out > hi) {
        out = hi;
        return 0;
    }
    return 1;
}

double degreesFromDms(int deg, int min, double sec) {
    return deg + min / 60.0 + sec / 3600.0;
}

DmsTexts showDms(double value, bool isLongitude) {
    DmsTexts texts;
    // Beyond any coordinate (and beyond int) there is nothing sensible to show.
    if (isNearSentinel(value, isLongitude ? NOT_SET_LON : NOT_SET_LAT) || !(std::fabs(value) < 1.0e6)) return texts;
    int d = static_cast<int>(value);  // toward zero
    const double r = (value - d) * 60.0;
    int m = static_cast<int>(r);
    double s = (r - m) * 60.0;
    // Seconds that would print as 60.0000 carry into the minute, and on into
    // the degree.
    if (s + 0.00005 >= 60.0) {
        s = 0.0;
        if (++m == 60) {
            m = 0;
            ++d;
        }
    }
    texts.degrees = widen(format(isLongitude ? "%3d" : "%2d", d));
    texts.minutes = widen(format("%02d", m));
    texts.seconds = widen(format("%07.4f", s));
    return texts;
}

std::wstring depthText(double depth) {
    if (isNearSentinel(depth, NOT_SET_DEPTH)) return std::wstring();
    return widen(format("%3.1f", depth));
}

std::wstring angleText(double degrees) {
    return widen(format("%3.1f", degrees));
}

std::string dmsText(DialogFields& dialog, int degreeId, int minuteId, int secondId) {
    Platform& p = platform();
    return padLeft(p.toCp932(dialog.text(degreeId)), 3) + msg::kDegreeMarkSjis +
           padLeft(p.toCp932(dialog.text(minuteId)), 2) + msg::kMinuteMarkSjis +
           padLeft(p.toCp932(dialog.text(secondId)), 2) + msg::kSecondMarkSjis;
}

}  // namespace vornel
