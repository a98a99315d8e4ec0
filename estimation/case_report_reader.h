// Reading a case back from its CSV report: the parameter section that the
// report starts with holds every text the parameter dialog showed. The whole
// file is read and checked before anything is applied, so a file that is not
// a report, or one with a value no field accepts, changes nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "bathymetry/spreading_relations.h"
#include "estimation/field_checks.h"

namespace vornel {

struct ReopenedCase {
    // Texts of the numeric fields 1500 ... 1536 by id - 1500, leading blanks
    // dropped; h/L0 (1511) stays empty, it is worked out again.
    std::wstring fieldTexts[kParamFieldCount];
    bool diffractionOff = false;
    int relationIndex = 0;  // 0: no relation; i + 1: relation i of the list
    std::wstring title;
};

struct CaseReadError {
    enum Kind { NotAReport, OutOfRange, UnknownRelation };
    Kind kind = NotAReport;
    int line = 0;         // from 1
    std::wstring detail;  // the expected line, the value or the relation
};

// `bytes`: the whole report file (Shift_JIS, CR LF or LF line ends).
std::optional<ReopenedCase> readCaseReport(std::string_view bytes, const SpreadingRelationList& relations,
                                           CaseReadError& error);

// The message of the box for an error in the file `path`.
std::wstring caseReadMessage(const CaseReadError& error, const std::wstring& path);

}  // namespace vornel
