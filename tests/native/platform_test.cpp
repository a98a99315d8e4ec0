#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/line_reader.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "support/recording_platform.h"

namespace vornel {
namespace {

TEST(Text, WidenAndBackKeepJapanese) {
    const std::wstring w = widen("簡易逆推定の実行");
    EXPECT_EQ(w.size(), 8u);
    EXPECT_EQ(toUtf8(w), "簡易逆推定の実行");
}

TEST(Text, DataTextIsShiftJis) {
    // 回 is 0x89 0xF1 in CP932; the wave dash style marks of the CSV too.
    EXPECT_EQ(platform().toCp932(widen("回折")), "\x89\xf1\x90\xdc");
    EXPECT_EQ(platform().fromCp932("\x89\xf1\x90\xdc"), widen("回折"));
    EXPECT_EQ(platform().toCp932(widen("°′″")), "\x81\x8b\x81\x8c\x81\x8d");

    // Only names that read back unchanged have an exact form: '?' or a
    // look-alike would name another file.
    EXPECT_EQ(exactCp932(widen("表\\ｱ?.con")), std::optional<std::string>("\x95\x5c\x5c\xb1?.con"));
    EXPECT_EQ(exactCp932(L""), std::optional<std::string>(""));
    for (const char* lossy : {"Zoë", "한국", "A¥B", "😀"}) EXPECT_FALSE(exactCp932(widen(lossy))) << lossy;
}

TEST(Text, CopyFieldNeverPassesCapacity) {
    char field[6];
    std::memset(field, 'x', sizeof field);
    copyField(field, "abcdefghij");
    EXPECT_STREQ(field, "abcde");
}

TEST(Paths, LongPathIsRefusedWithWarningNotCut) {
    RecordingPlatform rec;
    std::wstring out;
    const std::wstring folder(250, L'a');
    EXPECT_TRUE(joinPath(out, std::wstring(240, L'a'), L"zelvo-in.txt"));
    EXPECT_FALSE(joinPathOrWarn(out, folder, L"zelvo-in.txt", nullptr, L"cap"));
    EXPECT_TRUE(out.empty());
    ASSERT_EQ(rec.warnings.size(), 1u);
    EXPECT_EQ(rec.warnings[0].caption, L"cap");
    EXPECT_NE(rec.warnings[0].text.find(L"zelvo-in.txt"), std::wstring::npos);
}

TEST(LineReader, ReadsLikeTextModeFgets) {
    const auto path = std::filesystem::temp_directory_path() / "vornel_line_reader.txt";
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        std::string longLine(300, 'z');
        std::fputs("one\r\ntwo\nthree\r", f);
        std::fputs(("\n" + longLine + "\nlast").c_str(), f);
        std::fclose(f);
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    LineReader reader(f);
    std::string_view line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "one\n");
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "two\n");
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "three\n");
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line.size(), 255u);  // a long line comes in pieces of 255 bytes
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, std::string(45, 'z') + "\n");
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(reader.next(line));
    std::fclose(f);
    std::filesystem::remove(path);
}

TEST(Platform, WildcardsMatchLikeWindows) {
    const auto dir = std::filesystem::temp_directory_path() / "vornel_wildcards";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const char* name : {"6326_1", "6326", "632", "63261", "a.con", "b.CON", "c.cont"})
        std::fclose(std::fopen((dir / name).c_str(), "wb"));
    auto names = [&](const wchar_t* pattern) {
        std::wstring all;
        for (const auto& e : platform().listDirectory(widen(dir.string()), pattern)) all += e.name + L" ";
        return all;
    };
    EXPECT_EQ(names(L"????_?"), L"6326_1 ");
    EXPECT_EQ(names(L"????"), L"632 6326 ");
    EXPECT_EQ(names(L"*.con"), L"a.con b.CON ");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vornel
