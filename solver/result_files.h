// The two output files: zelvo-out_<title>.tmp, read back by the main program, and
// zelvo-out_<title>.txt, a report for the engineer.
#pragma once

#include <string>
#include <vector>

#include "case_input.h"
#include "inverse.h"

namespace zelvo {

std::string resultFileName(const std::string& title);  // zelvo-out_<title>.tmp
std::string reportFileName(const std::string& title);  // zelvo-out_<title>.txt

// The result file, CR LF line ends: a header naming the columns; one row "smax ho thetaO" per
// candidate (Ho "%.3f", theta_o "%.1f" reduced into [0, 360) after rounding); an empty line that
// ends the table; "*****"; then the case name and the eight echo lines "<6-byte tag><value>".
// Without candidates only the header, the empty line and the marker.
//
// The empty line matters: the reader ends the table at a line with fewer than three tokens and
// then looks for the marker after that line, so a marker straight after the rows would be taken
// as the end of the table and the case name and values would be lost.
std::string formatResultFile(const CaseInput& input, const std::vector<Candidate>& candidates);

// The report: inputs, the method in brief, each candidate with its coefficients. ASCII apart from
// the title bytes; CR LF line ends.
std::string formatReport(const CaseInput& input, const std::vector<Candidate>& candidates);

// The echo of one input value, formatted as the main program wrote it.
std::string echoValue(const CaseInput& input, int field);

// theta_o as every output prints it with one decimal: reduced into [0, 360) after rounding, so
// that 359.96 becomes 0.0 and never 360.0, and never "-0.0".
double printedDirection(double degrees);

// printf into `out`; at most 511 bytes a call.
void appendf(std::string& out, const char* format, ...);

}  // namespace zelvo
