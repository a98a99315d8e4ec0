// The input reader, the title check and the result file as the main program reads it back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "case_input.h"
#include "result_files.h"

using namespace zelvo;

namespace {

const char* const kValidInput =
    "Harbour A\r\nazim**|200.0\r\nangl**| 40.0\r\nsit***| 10.0\r\nhh_B**| 12.0\r\nhh_A**|  8.0\r\n"
    "h13***| 1.50\r\nt13***| 8.00\r\ndir***|215.0\r\n";

std::string withLine(int lineIndex, const std::string& text) {
    std::vector<std::string> lines;
    std::string all = kValidInput, line;
    for (char c : all) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    lines[lineIndex] = text;
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

// The main program's reading of the result file, rule for rule: header ignored; rows of three
// tokens (space, tab, CR, LF; a token starting with '*' stops its line) until a line with fewer,
// at most 20; then lines skipped up to and including the next "*****" after the one that ended
// the table; the case name up to the first tab, CR or LF; value lines from byte 7.
struct ReadBack {
    int rows = 0;
    std::vector<std::vector<std::string>> row;
    std::string caseName;
    std::vector<std::string> values;
};

ReadBack readLikeTheMainProgram(const std::string& file) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < file.size()) {
        std::size_t end = file.find('\n', start);
        if (end == std::string::npos) end = file.size() - 1;
        lines.push_back(file.substr(start, end - start + 1));
        start = end + 1;
    }
    ReadBack r;
    std::size_t i = 1;
    for (; i < lines.size() && r.rows < 20; ++i) {
        std::vector<std::string> tokens;
        std::string copy = lines[i];
        for (char* t = std::strtok(copy.data(), " \t\r\n"); t; t = std::strtok(nullptr, " \t\r\n")) {
            if (*t == '*') break;
            tokens.push_back(t);
        }
        if (tokens.size() < 3) {
            ++i;  // the line that ended the table is not searched for the marker
            break;
        }
        r.row.push_back(tokens);
        ++r.rows;
    }
    while (i < lines.size() && lines[i].compare(0, 5, "*****") != 0) ++i;
    if (i >= lines.size()) return r;
    ++i;
    if (i < lines.size()) {
        const std::string& l = lines[i];
        const std::size_t b = l.find_first_not_of("\t\r\n");
        if (b != std::string::npos) r.caseName = l.substr(b, l.find_first_of("\t\r\n", b) - b);
        ++i;
    }
    for (; i < lines.size() && r.values.size() < 20; ++i) {
        if (lines[i].size() < 7) continue;
        const std::string rest = lines[i].substr(6);
        const std::size_t b = rest.find_first_not_of("\t\r\n");
        if (b == std::string::npos) continue;
        r.values.push_back(rest.substr(b, std::min<std::size_t>(31, rest.find_first_of("\t\r\n", b) - b)));
    }
    return r;
}

std::vector<Candidate> candidates(int count) {
    std::vector<Candidate> c(count);
    for (int i = 0; i < count; ++i) {
        c[i].smax = kSmaxCases[i % 3];
        c[i].offshoreHeight = 1.0 + i * 0.1234;
        c[i].offshoreDirection = 190.0 + i;
        c[i].transformation.coefficient = 0.9;
    }
    return c;
}

}  // namespace

TEST(InputFile, ReadsTheNineLinesWithEitherLineEnd) {
    CaseInput a, b;
    std::string why;
    ASSERT_TRUE(parseCaseInput(kValidInput, a, why)) << why;
    std::string lf = kValidInput;
    for (std::size_t p; (p = lf.find('\r')) != std::string::npos;) lf.erase(p, 1);
    lf.pop_back();  // and no line end after the last line
    ASSERT_TRUE(parseCaseInput(lf, b, why)) << why;
    EXPECT_EQ(a.title, "Harbour A");
    const double expected[] = {200.0, 40.0, 10.0, 12.0, 8.0, 1.5, 8.0, 215.0};
    for (int f = 0; f < kInputFieldCount; ++f) {
        EXPECT_DOUBLE_EQ(a.values[f], expected[f]);
        EXPECT_DOUBLE_EQ(b.values[f], expected[f]);
    }
    EXPECT_TRUE(a.diffraction());
    ASSERT_TRUE(parseCaseInput(withLine(2, "angl**|999.0") + "", a, why));
    EXPECT_FALSE(a.diffraction());
    // Without the diffraction point its depth is written as 0.0 and must not be rejected.
    ASSERT_TRUE(
        parseCaseInput(withLine(4, "hh_B**|  0.0").replace(withLine(4, "").find("angl**"), 12, "angl**|999.0"), a, why))
        << why;
}

TEST(InputFile, RejectsMissingTagsBadNumbersAndValuesWithoutAWave) {
    const struct {
        int line;
        const char* text;
        const char* mentions;
    } cases[] = {
        {3, "sit**| 10.0", "line 4"},      {3, " sit***| 10.0", "sit***|"}, {5, "h13***| 1.50", "line 6"},
        {1, "azim**|abc", "not a number"}, {7, "t13***|", "not a number"},  {7, "t13***| 8.0s", "not a number"},
        {8, "dir***|nan", "not a number"}, {5, "hh_A**|  0.0", "hh_A**"},   {5, "hh_A**| -3.0", "hh_A**"},
        {4, "hh_B**|  0.0", "hh_B**"},     {7, "t13***| 0.00", "t13***"},   {7, "t13***|-1.00", "t13***"},
        {6, "h13***|-0.50", "h13***"},
    };
    for (const auto& c : cases) {
        CaseInput in;
        std::string why;
        EXPECT_FALSE(parseCaseInput(withLine(c.line, c.text), in, why)) << c.text;
        EXPECT_NE(why.find(c.mentions), std::string::npos) << why;
        EXPECT_EQ(why.find('\n'), std::string::npos);
    }
    CaseInput in;
    std::string why;
    EXPECT_FALSE(parseCaseInput("", in, why));
    EXPECT_FALSE(parseCaseInput("Title only\r\n", in, why));
    EXPECT_NE(why.find("azim**|"), std::string::npos) << why;
    const std::string shortened = std::string(kValidInput).substr(0, std::string(kValidInput).find("dir***"));
    EXPECT_FALSE(parseCaseInput(shortened, in, why));
}

TEST(Title, StaysInsideTheCurrentFolder) {
    std::string why;
    for (const char* bad : {"../x", "a/b", "a\\b", "c:x", "a*", "a?", "a\"b", "<a>", "a|b", "x..y", "a\tb", "a\x7f"}) {
        EXPECT_FALSE(checkTitle(bad, why)) << bad;
        EXPECT_FALSE(why.empty());
    }
    EXPECT_FALSE(checkTitle(std::string("a\0b", 3), why));
    EXPECT_FALSE(checkTitle(std::string(101, 'x'), why));
    EXPECT_TRUE(checkTitle(std::string(100, 'x'), why));
    EXPECT_TRUE(checkTitle("", why));
    EXPECT_TRUE(checkTitle("Case 1.v2 (north)", why));
    // Shift_JIS: a trail byte 0x5C ('\') or 0x7C ('|') belongs to its character. "表示" and "ポ|"
    // style pairs pass; a lead byte at the end or before a byte that cannot trail does not.
    EXPECT_TRUE(checkTitle("\x95\x5C\x8E\xA6", why)) << why;
    EXPECT_TRUE(checkTitle("\x83\x7C\x83\x8A", why)) << why;
    EXPECT_TRUE(checkTitle("\xB1\xB2\xB3", why)) << why;  // half-width katakana
    EXPECT_FALSE(checkTitle("abc\x95", why));
    EXPECT_FALSE(checkTitle("\x95\x1F", why));
    EXPECT_FALSE(checkTitle("\x95/", why)) << "a slash is no trail byte";
}

TEST(ResultFile, ReadsBackCompletelyWithAnyNumberOfRows) {
    CaseInput in;
    std::string why;
    ASSERT_TRUE(parseCaseInput(kValidInput, in, why));
    for (int count : {1, 3, 19, 20}) {
        const std::string file = formatResultFile(in, candidates(count));
        const ReadBack r = readLikeTheMainProgram(file);
        SCOPED_TRACE(count);
        ASSERT_EQ(r.rows, count);
        EXPECT_EQ(r.row[0][0], "10");
        EXPECT_EQ(r.row[0][1], "1.000");
        EXPECT_EQ(r.row[0][2], "190.0");
        char last[32];
        std::snprintf(last, sizeof last, "%.3f", 1.0 + (count - 1) * 0.1234);
        EXPECT_EQ(r.row[count - 1][1], last);
        EXPECT_EQ(r.caseName, "Harbour A");
        const std::vector<std::string> echo = {"200.0", "40.0", "10.0", "12.0", "8.0", "1.50", "8.00", "215.0"};
        EXPECT_EQ(r.values, echo);
        for (std::size_t p = file.find('\n'); p != std::string::npos; p = file.find('\n', p + 1))
            ASSERT_EQ(file[p - 1], '\r');
    }
    const ReadBack none = readLikeTheMainProgram(formatResultFile(in, {}));
    EXPECT_EQ(none.rows, 0);
    EXPECT_TRUE(none.caseName.empty());
    EXPECT_TRUE(none.values.empty());
}

TEST(ResultFile, DirectionsAreReducedAfterRounding) {
    CaseInput in;
    std::string why;
    ASSERT_TRUE(parseCaseInput(kValidInput, in, why));
    std::vector<Candidate> c = candidates(4);
    c[0].offshoreDirection = 359.96;
    c[1].offshoreDirection = 0.04;
    c[2].offshoreDirection = -0.3;
    c[3].offshoreDirection = 720.24;
    const ReadBack r = readLikeTheMainProgram(formatResultFile(in, c));
    ASSERT_EQ(r.rows, 4);
    EXPECT_EQ(r.row[0][2], "0.0");
    EXPECT_EQ(r.row[1][2], "0.0");
    EXPECT_EQ(r.row[2][2], "359.7");
    EXPECT_EQ(std::atof(r.row[3][2].c_str()), 0.2) << r.row[3][2];
}

TEST(Report, ListsInputsAndEveryCandidate) {
    CaseInput in;
    std::string why;
    ASSERT_TRUE(parseCaseInput(kValidInput, in, why));
    const std::string report = formatReport(in, candidates(3));
    EXPECT_NE(report.find("Case: Harbour A"), std::string::npos);
    EXPECT_NE(report.find("Kd"), std::string::npos);
    EXPECT_NE(report.find("1.247"), std::string::npos);  // the third Ho
    EXPECT_NE(formatReport(in, {}).find("no estimate"), std::string::npos);

    // The second line names the program and the release's version, the one of the project.
    std::ifstream project(VORNEL_PROJECT_FILE);
    std::stringstream text;
    text << project.rdbuf();
    std::smatch version;
    const std::string cmake = text.str();
    ASSERT_TRUE(std::regex_search(cmake, version, std::regex(R"(project\(VORNEL VERSION ([0-9]+\.[0-9]+\.[0-9]+))")));
    const std::size_t second = report.find("\r\n") + 2;
    EXPECT_EQ(report.substr(second, report.find("\r\n", second) - second), "Program: zelvo_v3 " + version[1].str());
}
