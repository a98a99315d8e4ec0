// The checks and conversions of the parameter dialog's numeric fields: the
// entry check of a typed text, reading a field with clamping, and the
// degrees-minutes-seconds texts.
#pragma once

#include <string>
#include <string_view>

#include "estimation/dialog_fields.h"
#include "platform/platform.h"

namespace vornel {

// The 37 numeric fields of the parameter dialog: ids 1500 ... 1536, the field
// index is id - 1500.
inline constexpr int kFirstParamFieldId = 1500;
inline constexpr int kParamFieldCount = 37;

enum class FieldCheck { LatDegrees, LonDegrees, Minutes, Seconds, Magnitude, Angle };

// The check type of field index 0 ... 36.
FieldCheck fieldCheckOf(int fieldIndex);

// The name of field index 0 ... 36 in messages: 「準沖波地点の周期」.
std::wstring fieldName(int fieldIndex);

// Whether field index 0 ... 36 accepts a text that reads as these values.
bool fieldEntryAccepted(int fieldIndex, int intValue, double realValue);

// The entry check of a field the user changed. `intValue` and `realValue` are
// `text` read as an integer and a real (0 without a numeric prefix). Returns 1
// after showing the rejection message (owner `window`), 0 when accepted.
// Besides the range of its type, a text is refused when reading it would drop
// digits (a second number, 「2,5」), and a whole-number field (degrees,
// minutes) refuses a fraction; those messages name the field.
int checkFieldEntry(WindowRef window, int fieldIndex, int intValue, double realValue, std::wstring_view text);

// Empty text: 0, `out` untouched. Otherwise `out` = the text as an integer,
// clamped into [lo, hi]; the result is 0 when it had to be clamped, else the
// length of the text.
int readIntField(DialogFields& dialog, int fieldId, int lo, int hi, int& out);

// The first token of the text (separators: space, comma, tab, CR, LF) as a
// real. No token: 0, `out` untouched. Clamped into [lo, hi] with result 0;
// in range (bounds included) the result is 1.
int readRealField(DialogFields& dialog, int fieldId, double lo, double hi, double& out);

// deg + min/60 + sec/3600; a negative degree count is not mirrored.
double degreesFromDms(int deg, int min, double sec);

struct DmsTexts {
    std::wstring degrees;  // "%2d" (latitude) or "%3d" (longitude)
    std::wstring minutes;  // "%02d"
    std::wstring seconds;  // "%07.4lf"
};
// The three field texts of a coordinate; all empty for the not-set value.
DmsTexts showDms(double value, bool isLongitude);

// The texts of a depth ("%3.1lf", empty when not set) and of an angle ("%3.1lf").
std::wstring depthText(double depth);
std::wstring angleText(double degrees);

// The three fields as one 8-bit text for the CSV report: "%3ls°%2ls′%2ls″"
// with the marks in Shift_JIS.
std::string dmsText(DialogFields& dialog, int degreeId, int minuteId, int secondId);

}  // namespace vornel
