// Batch mode: the records file, and every record's candidates against a single case of the same
// values, in the library and through the built program.
#include "batch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "angles.h"
#include "case_input.h"
#include "program_folder.h"
#include "program_version.h"
#include "response_file.h"
#include "result_files.h"

using namespace zelvo;

namespace {

// Site lines as the main program writes them (lines 2-6 of zelvo-in.txt).
std::string siteLines(double contourNormal, double breakwaterNormal, double theta, double tipDepth, double depth) {
    char text[256];
    std::snprintf(text, sizeof text, "azim**|%5.1f\r\nangl**|%5.1f\r\nsit***|%5.1f\r\nhh_B**|%5.1f\r\nhh_A**|%5.1f\r\n",
                  contourNormal, breakwaterNormal, theta, tipDepth, depth);
    return text;
}
const std::string kOpenNorth = siteLines(350.0, 999.0, 0.0, 0.0, 9.0);  // the sea side straddles north
const std::string kGuide = siteLines(58.8, 999.0, 0.0, 0.0, 24.1);
const std::string kBehind = siteLines(200.0, 40.0, 10.0, 12.0, 8.0);  // two candidates of one Smax
const std::string kShadow = siteLines(200.0, 0.0, 345.0, 15.0, 6.0);

struct Wave {
    double height, period, direction;
};

// The lines a single case with these values gives, as a batch prints them: the result file's
// rows (its printed Ho and theta_o) with the share of the response file.
std::string singleCaseLines(const std::string& site, const Wave& w, std::size_t record, std::set<int>* smaxSeen,
                            int* mostOfOneSmax) {
    char wave[128];
    std::snprintf(wave, sizeof wave, "h13***|%5.2f\r\nt13***|%5.2f\r\ndir***|%5.1f\r\n", w.height, w.period,
                  w.direction);
    CaseInput input;
    std::string why;
    EXPECT_TRUE(parseCaseInput("T\r\n" + site + wave, input, why)) << why;
    const std::vector<Candidate> candidates = estimateOffshoreWaves(input.observation());
    const std::vector<std::string> rows = crlfLines(formatResultFile(input, candidates));
    const std::string prefix = std::to_string(record) + " ";
    if (candidates.empty()) return prefix + "none\r\n";
    std::string out;
    int run = 0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const std::vector<std::string> t = tokens(rows[1 + i]);
        char share[32];
        std::snprintf(share, sizeof share, "%.5f", candidates[i].transformation.shorewardShare);
        out += prefix + t[0] + " " + t[1] + " " + t[2] + " " + share + "\r\n";
        if (smaxSeen) smaxSeen->insert(candidates[i].smax);
        run = i > 0 && candidates[i].smax == candidates[i - 1].smax ? run + 1 : 1;
        if (mostOfOneSmax) *mostOfOneSmax = std::max(*mostOfOneSmax, run);
    }
    return out;
}

std::string recordLine(const Wave& w) {
    char line[64];
    std::snprintf(line, sizeof line, "%.2f %.2f %.1f\r\n", w.height, w.period, w.direction);
    return line;
}

}  // namespace

TEST(BatchInput, ReadsRecordsAndKeepsBadOnesWithTheirReason) {
    const std::string header = "Harbour\r\n" + kGuide;
    BatchInput in;
    std::string why;
    ASSERT_TRUE(parseBatchInput(header +
                                    "1.50 8.00 215.0\r\n"
                                    "  1.5\t8\t215  \r\n"
                                    "\r\n"
                                    "1.50 8.00\r\n"
                                    "1.50 8.00 215.0 9\r\n"
                                    "x 8.00 215.0\r\n"
                                    "1.50 nan 215.0\r\n"
                                    "-0.10 8.00 215.0\r\n"
                                    "1.50 0.00 215.0\r\n"
                                    "1.50 2000 215.0\r\n"
                                    "0.00 8.00 \x93\x8c\r\n"  // a Shift_JIS direction name
                                    "0.00 8.00 215.0\n"
                                    "\r\n \t\r\n",
                                in, why))
        << why;
    EXPECT_EQ(in.site.title, "Harbour");
    EXPECT_DOUBLE_EQ(in.site.values[POINT_DEPTH], 24.1);
    const std::vector<std::string> errors = {"",
                                             "",
                                             "empty line",
                                             "expected three numbers <h13> <t13> <dir>, got 2 fields",
                                             "expected three numbers <h13> <t13> <dir>, got 4 fields",
                                             "h13 is not a number",
                                             "t13 is not a number",
                                             "h13 must be 0 or more, got -0.1",
                                             "t13 must be greater than 0, got 0",
                                             "t13 is out of range (0.01 to 1000 s), got 2000",
                                             "dir is not a number",
                                             ""};
    ASSERT_EQ(in.records.size(), errors.size());
    for (std::size_t i = 0; i < errors.size(); ++i) EXPECT_EQ(in.records[i].error, errors[i]) << "record " << i + 1;
    EXPECT_DOUBLE_EQ(in.records[1].period, 8.0);
    EXPECT_DOUBLE_EQ(in.records[1].direction, 215.0);
    EXPECT_EQ(in.records[11].height, 0.0);

    // The file as a whole: the site lines as zelvo-in.txt requires them, and at most 100,000 records.
    EXPECT_FALSE(parseBatchInput("Harbour\r\n" + siteLines(58.8, 999.0, 0.0, 0.0, 0.0), in, why));
    EXPECT_EQ(why, "hh_A** must be greater than 0, got 0");
    EXPECT_FALSE(parseBatchInput("Harbour\r\nazim**|58.8\r\nangl**|999.0\r\n", in, why));
    EXPECT_EQ(why, "zelvo-batch-in.txt ends before line 4 (sit***|)");
    std::string many = header;
    for (std::size_t i = 0; i < kMaxBatchRecords; ++i) many += "1.00 8.00 60.0\r\n";
    ASSERT_TRUE(parseBatchInput(many, in, why)) << why;
    EXPECT_EQ(in.records.size(), kMaxBatchRecords);
    EXPECT_FALSE(parseBatchInput(many + "1.00 8.00 60.0\r\n", in, why));
    EXPECT_EQ(why, "zelvo-batch-in.txt holds 100001 records, more than 100000");
    // Only the header: a batch of nothing.
    ASSERT_TRUE(parseBatchInput(header, in, why)) << why;
    EXPECT_TRUE(in.records.empty());
    EXPECT_EQ(formatBatchOutput(estimateRecords(in)), "zelvo_v3 batch " + std::string(kProgramVersion) +
                                                          "\r\nend 0\r\n");
}

TEST(Batch, EveryRecordEqualsASingleCaseOfTheSameValues) {
    // Periods shared by many records (their evaluations are reused), one of them with more records
    // than a thread takes at once, and a period of one record alone; directions over the whole sea
    // side and beyond it (no candidate); heights from calm to storm.
    struct Site {
        const std::string& lines;
        double contourNormal;
        std::vector<double> periods;
    };
    const Site sites[] = {{kOpenNorth, 350.0, {4.0, 8.0, 8.0, 8.0, 8.0}},
                          {kGuide, 58.8, {10.0}},
                          {kBehind, 200.0, {6.0, 12.0}},
                          {kShadow, 200.0, {11.0}}};
    std::set<int> smaxSeen;
    int mostOfOneSmax = 0, none = 0, total = 0;
    for (const Site& site : sites) {
        std::vector<Wave> waves;
        const int directions = 17;
        for (std::size_t p = 0; p < site.periods.size(); ++p)
            for (int d = 0; d < directions; ++d) {
                const double offset = -100.0 + 200.0 * d / (directions - 1) + 1.3 * p;
                waves.push_back({0.37 * ((d + p) % 17), site.periods[p], azimuth360(site.contourNormal + offset)});
            }
        waves.push_back({1.23, 7.77, azimuth360(site.contourNormal + 17.0)});
        std::string file = "Site\r\n" + site.lines;
        for (const Wave& w : waves) file += recordLine(w);
        file += "1.00 -8.00 200.0\r\n";  // refused by the single case: the others still run
        BatchInput in;
        std::string why;
        ASSERT_TRUE(parseBatchInput(file, in, why)) << why;
        ASSERT_EQ(in.records.size(), waves.size() + 1);
        const std::vector<std::string> lines = estimateRecords(in, 2);

        // The single cases, on both cores.
        std::vector<std::string> expected(waves.size());
        std::vector<std::set<int>> seen(2);
        std::vector<int> most(2, 0);
        auto reference = [&](int part) {
            for (std::size_t i = part; i < waves.size(); i += 2)
                expected[i] = singleCaseLines(site.lines, waves[i], i + 1, &seen[part], &most[part]);
        };
        std::thread other(reference, 1);
        reference(0);
        other.join();
        for (std::size_t i = 0; i < waves.size(); ++i) {
            EXPECT_EQ(lines[i], expected[i]) << "record " << i + 1 << ": " << recordLine(waves[i]);
            none += expected[i].find(" none") != std::string::npos;
        }
        EXPECT_EQ(lines.back(), std::to_string(waves.size() + 1) + " error t13 must be greater than 0, got -8\r\n");
        for (const std::set<int>& s : seen) smaxSeen.insert(s.begin(), s.end());
        mostOfOneSmax = std::max({mostOfOneSmax, most[0], most[1]});
        total += static_cast<int>(waves.size());
    }
    // What the records covered.
    EXPECT_EQ(smaxSeen, (std::set<int>{10, 25, 75}));
    EXPECT_GE(mostOfOneSmax, 2);
    EXPECT_GE(none, 20);
    EXPECT_GE(total, 150);
}

namespace {

class BatchProgram : public ProgramFolder {};

}  // namespace

TEST_F(BatchProgram, WritesEveryRecordAsTheSingleCaseProgramDoes) {
    const std::vector<Wave> waves = {{1.50, 9.00, 222.0}, {0.60, 6.00, 226.0}, {2.10, 12.00, 215.0},
                                     {1.50, 9.00, 20.0},  {3.00, 9.00, 230.0}, {0.00, 6.00, 205.0}};
    std::string file = "Port \x95\x5C\r\n" + kBehind;  // a title whose trail byte is '\'
    for (const Wave& w : waves) file += recordLine(w);
    file += "1.50 9.00\r\n";
    write("zelvo-batch-in.txt", file);
    ASSERT_EQ(run("--batch"), 0) << errors_;
    EXPECT_TRUE(errors_.empty()) << errors_;
    EXPECT_EQ(files(), (std::vector<std::string>{"zelvo-batch-in.txt", "zelvo-batch-out_Port 表.txt"}));
    const std::string batch = read("zelvo-batch-out_Port 表.txt");
    for (unsigned char c : batch) ASSERT_TRUE(c < 0x80) << "not ASCII";
    const std::vector<std::string> lines = crlfLines(batch);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front(), "zelvo_v3 batch " + std::string(kProgramVersion));
    EXPECT_EQ(lines.back(), "end 7");
    EXPECT_EQ(lines[lines.size() - 2], "7 error expected three numbers <h13> <t13> <dir>, got 2 fields");

    // The same records one by one through zelvo-in.txt, as the main program runs them.
    std::vector<std::string> expected = {lines.front()};
    for (std::size_t i = 0; i < waves.size(); ++i) {
        char wave[128];
        std::snprintf(wave, sizeof wave, "h13***|%5.2f\r\nt13***|%5.2f\r\ndir***|%5.1f\r\n", waves[i].height,
                      waves[i].period, waves[i].direction);
        writeInput("One\r\n" + kBehind + wave);
        ASSERT_EQ(run(), 0) << errors_;
        const std::vector<std::string> rows = crlfLines(read("zelvo-out_One.tmp"));
        const std::vector<std::string> response = crlfLines(read("zelvo-out_One.crv"));
        const std::string prefix = std::to_string(i + 1) + " ";
        if (rows[1].empty()) expected.push_back(prefix + "none");
        for (std::size_t r = 1; !rows[r].empty(); ++r) {
            const std::vector<std::string> t = tokens(rows[r]);
            const std::vector<std::string> c = tokens(response[1 + r]);
            ASSERT_EQ(c.size(), 4u);
            expected.push_back(prefix + t[0] + " " + t[1] + " " + t[2] + " " + c[3]);
        }
    }
    expected.push_back(lines[lines.size() - 2]);
    expected.push_back(lines.back());
    EXPECT_EQ(lines, expected);
    EXPECT_GE(lines.size(), 12u);  // several records with several candidates

    // A second run replaces the output.
    write("zelvo-batch-in.txt", "Port \x95\x5C\r\n" + kBehind + "1.50 9.00 20.0\r\n");
    ASSERT_EQ(run("--batch"), 0) << errors_;
    EXPECT_EQ(crlfLines(read("zelvo-batch-out_Port 表.txt")),
              (std::vector<std::string>{lines.front(), "1 none", "end 1"}));
}

TEST_F(BatchProgram, RefusesWhatItCannotRunAndLeavesNoOutput) {
    auto expectRefused = [&](const std::string& arguments, int code, const std::string& message) {
        EXPECT_EQ(run(arguments), code) << arguments;
        EXPECT_EQ(errors_, "zelvo_v3: " + message + "\n");
        for (const std::string& name : files())
            EXPECT_TRUE(name == "zelvo-batch-in.txt" || name == "zelvo-in.txt" || name == "zelvo-batch-out_Cut.txt")
                << name;
    };
    expectRefused("--batch", 1, "cannot read zelvo-batch-in.txt");
    writeInput("T\r\n" + kGuide + "h13***| 1.00\r\nt13***| 8.00\r\ndir***| 60.0\r\n");
    // Only the one argument --batch: anything else runs nothing, not even the single case.
    expectRefused("--batch extra", 1, "usage: zelvo_v3 [--batch]");
    expectRefused("--Batch", 1, "usage: zelvo_v3 [--batch]");
    write("zelvo-batch-in.txt", "T\r\nazim**| 58.8\r\nangl**|999.0\r\nsit***|  0.0\r\nhh_B**|  0.0\r\n");
    expectRefused("--batch", 1, "zelvo-batch-in.txt ends before line 6 (hh_A**|)");
    write("zelvo-batch-in.txt", "a/b\r\n" + kGuide + "1.00 8.00 60.0\r\n");
    expectRefused("--batch", 2, "the title contains the character /, which a file name cannot hold");
    write("zelvo-batch-in.txt", "T\r\n" + kGuide + std::string(kMaxBatchInputBytes, ' '));
    expectRefused("--batch", 1, "zelvo-batch-in.txt is larger than 8 MB");
    // The output cannot take the place of a folder of its name: the temporary file goes again.
    write("zelvo-batch-in.txt", "Cut\r\n" + kGuide + "1.00 8.00 60.0\r\n");
    std::filesystem::create_directories(folder_ / "zelvo-batch-out_Cut.txt");
    write("zelvo-batch-out_Cut.txt/keep", "x");
    expectRefused("--batch", 3, "cannot write zelvo-batch-out_Cut.txt");
}
