// The built program, run in a folder of its own as the main program runs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "program_folder.h"

namespace fs = std::filesystem;

namespace {

class Program : public ProgramFolder {
protected:
    void expectRejected(const std::string& input) {
        writeInput(input);
        const int code = run();
        EXPECT_NE(code, 0) << input;
        EXPECT_EQ(std::count(errors_.begin(), errors_.end(), '\n'), 1) << errors_;
        EXPECT_EQ(errors_.rfind("zelvo_v3: ", 0), 0u) << errors_;
        EXPECT_EQ(files(), std::vector<std::string>{"zelvo-in.txt"}) << input;
        fs::remove(folder_ / "zelvo-in.txt");
    }
};

std::string input(const std::string& title, const std::string& tipDepth = " 12.0", const std::string& period = " 8.00",
                  const std::string& pointDepth = "  8.0", const std::string& thetaTag = "sit***|") {
    return title + "\r\nazim**|200.0\r\nangl**| 40.0\r\n" + thetaTag + " 10.0\r\nhh_B**|" + tipDepth + "\r\nhh_A**|" +
           pointDepth + "\r\nh13***| 1.50\r\nt13***|" + period + "\r\ndir***|222.0\r\n";
}

}  // namespace

TEST_F(Program, WritesTheThreeFilesForAGoodCase) {
    writeInput(input("Port \x95\x5C"));  // a Shift_JIS title whose trail byte is '\'
    ASSERT_EQ(run(), 0) << errors_;
    EXPECT_TRUE(errors_.empty()) << errors_;
    // Named by the title's characters (here UTF-8), not by its Shift_JIS bytes.
    const std::vector<std::string> expected = {"zelvo-in.txt", "zelvo-out_Port 表.crv", "zelvo-out_Port 表.tmp",
                                               "zelvo-out_Port 表.txt"};
    ASSERT_EQ(files(), expected);
    const std::string result = read(expected[2]);
    EXPECT_NE(result.find("\r\n  25 "), std::string::npos) << result;
    EXPECT_NE(result.find("\r\n\r\n*****\r\nPort \x95\x5C\r\nazim**200.0\r\n"), std::string::npos) << result;
    EXPECT_NE(read(expected[3]).find("Candidates"), std::string::npos);
}

TEST_F(Program, WithoutCandidatesWritesHeaderAndMarkerOnly) {
    writeInput(input("Land").replace(input("Land").find("dir***|222.0"), 12, "dir***| 20.0"));
    ASSERT_EQ(run(), 0) << errors_;
    EXPECT_EQ(read("zelvo-out_Land.tmp"), "smax       ho   thetaO\r\n\r\n*****\r\n");
    // The curves still show why there is none.
    EXPECT_NE(read("zelvo-out_Land.crv").find("\r\ncandidates 0\r\ncurves 1077\r\n"), std::string::npos);
}

TEST_F(Program, AWriteFailureLeavesNoOutput) {
    // The response file cannot be written where a folder of its name stands: the report written
    // before it is removed again and the result file, which the main program waits for, never appears.
    writeInput(input("Cut"));
    fs::create_directories(folder_ / "zelvo-out_Cut.crv");
    std::ofstream(folder_ / "zelvo-out_Cut.crv" / "keep") << "x";
    EXPECT_EQ(run(), 3);
    EXPECT_EQ(errors_, "zelvo_v3: cannot write zelvo-out_Cut.crv\n");
    EXPECT_EQ(files(), (std::vector<std::string>{"zelvo-in.txt", "zelvo-out_Cut.crv"}));
}

TEST_F(Program, RejectsBadInputWithoutWritingAnything) {
    // Missing input file.
    EXPECT_NE(run(), 0);
    EXPECT_EQ(std::count(errors_.begin(), errors_.end(), '\n'), 1) << errors_;
    EXPECT_TRUE(files().empty());

    expectRejected(input("T", " 12.0", " 8.00", "  8.0", "sit**|"));  // missing tag
    expectRejected(input("T", " 12.0", " x.00"));                     // unparsable number
    expectRejected(input("T", " 12.0", " 8.00", "  0.0"));            // depth of the point
    expectRejected(input("T", " 12.0", " 8.00", " -2.0"));
    expectRejected(input("T", "  0.0"));           // depth at the tip
    expectRejected(input("T", " 12.0", " 0.00"));  // period
    expectRejected(input("T", " 12.0", "-8.00"));
    expectRejected("T\r\nazim**|200.0\r\n");  // cut short
    for (const char* title : {"../up", "sub/dir", "a\\b", "C:x", "a*b", "a?", "a\"b", "a<b", "a>b", "a|b", "a\x01"})
        expectRejected(input(title));
    expectRejected(input(std::string(101, 't')));
}
