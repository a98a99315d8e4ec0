// The index files are the program's own: losing the disk or the process in the
// middle of a rewrite must leave the old complete index or the new complete
// one, and a cut index must never be read back as good values.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "bathymetry/chart_index.h"
#include "bathymetry/harbour_index.h"
#include "bathymetry_contour_support.h"
#include "bathymetry_test_fixture.h"

namespace vornel {
namespace {

// A disk that fills up after `budget` bytes of the new index: the bytes up to
// there reach the real file, the write that passes the budget fails as with ENOSPC.
class FillingDiskPlatform : public RecordingPlatform {
public:
    std::size_t budget = std::numeric_limits<std::size_t>::max();
    bool replaceFails = false;
    bool syncFails = false;
    int contourOpens = 0;
    std::vector<std::string> steps;  // "sync" and "replace", in the order they came

    std::FILE* openFile(const std::wstring& p, const char* m) override {
        const bool isNew = p.size() > 4 && p.compare(p.size() - 4, 4, L".new") == 0;
        if (p.find(L".grd") == std::wstring::npos) ++contourOpens;
        std::FILE* real = RecordingPlatform::openFile(p, m);
        if (!isNew || !real) return real;
        auto* disk = new Disk{real, budget};
        cookie_io_functions_t io{};
        io.write = &Disk::write;
        io.close = &Disk::close;
        return fopencookie(disk, m, io);
    }
    bool replaceFile(const std::wstring& r, const std::wstring& t) override {
        steps.push_back("replace");
        return !replaceFails && RecordingPlatform::replaceFile(r, t);
    }
    bool flushToDisk(std::FILE* f) override {
        steps.push_back("sync");
        return RecordingPlatform::flushToDisk(f) && !syncFails;
    }

private:
    struct Disk {
        std::FILE* real;
        std::size_t left;
        static ssize_t write(void* cookie, const char* buf, std::size_t size) {
            auto* d = static_cast<Disk*>(cookie);
            const std::size_t n = size < d->left ? size : d->left;
            std::fwrite(buf, 1, n, d->real);
            d->left -= n;
            if (n < size) {
                errno = ENOSPC;
                return -1;
            }
            return static_cast<ssize_t>(size);
        }
        static int close(void* cookie) {
            auto* d = static_cast<Disk*>(cookie);
            const int r = std::fclose(d->real);
            delete d;
            return r;
        }
    };
};

class IndexRewrite : public DataFolderTest {
protected:
    HarbourRecord& addHarbour(const std::string& region, const std::string& name) {
        HarbourRecord& rec = harbourList().records[harbourList().harbourCount++];
        rec = HarbourRecord{};
        copyField(rec.name, name);
        copyField(rec.region, region);
        return rec;
    }
    ChartRecord& addChart(const std::string& code, const std::string& title) {
        ChartList& list = chartList(CHART_50K);
        ChartRecord& rec = list.records[list.count++];
        rec = ChartRecord{};
        copyField(rec.code, code);
        copyField(rec.title, title);
        return rec;
    }
    std::string contourFile(int lonDegrees) {
        return header(5.0, 2, dms('N', 35, 0, 0.0), dms('E', lonDegrees, 45, 0.0)) +
               points({{-1000, 1500}, {2000, -500}}) + kEndMarkerLine;
    }
    // Three harbours; the old index knows two, so the third is worked out and the index rewritten.
    void harbours() {
        resetHarbourList();
        addHarbour("r", "a");
        addHarbour("r", "b");
        addHarbour("r", "c");
    }
    void charts() {
        chartList(CHART_50K).count = 0;
        addChart("6001_1", "One");
        addChart("6002_1", "Two");
        addChart("6003_1", "Three");
    }

    FillingDiskPlatform disk_;
};

TEST_F(IndexRewrite, HarbourIndexCutAtEveryByteLeavesTheOldOrTheNewFile) {
    for (const char* name : {"a", "b", "c"}) write(std::string("Db01/r/") + name + ".con", contourFile(139));
    const std::string old = "r,a,35.1,139.7,35.0,139.8,35.0,139.75\r\nr,b,35.1,139.7,35.0,139.8,35.0,139.75\r\n";

    // The complete new index, written on a disk with room.
    write("Db01/kowan.grd", old);
    harbours();
    loadHarbourIndex();
    const std::string fresh = read("Db01/kowan.grd");
    ASSERT_NE(fresh, old);
    ASSERT_NE(fresh.find("r,c,"), std::string::npos);

    for (std::size_t budget = 0; budget < fresh.size(); ++budget) {
        SCOPED_TRACE(budget);
        write("Db01/kowan.grd", old);
        disk_.budget = budget;
        harbours();
        loadHarbourIndex();
        EXPECT_EQ(read("Db01/kowan.grd"), old);
        EXPECT_FALSE(exists("Db01/kowan.grd.new"));
        EXPECT_EQ(harbourList().records[2].originLon, 139.75);  // worked out all the same

        // The next start still lacks c in the index and works it out again.
        disk_.budget = std::numeric_limits<std::size_t>::max();
        disk_.contourOpens = 0;
        harbours();
        loadHarbourIndex();
        EXPECT_EQ(disk_.contourOpens, 1);
        EXPECT_EQ(read("Db01/kowan.grd"), fresh);
    }
    EXPECT_TRUE(disk_.warnings.empty());
}

TEST_F(IndexRewrite, ChartIndexCutAtEveryByteLeavesTheOldOrTheNewFile) {
    for (const char* code : {"6001_1", "6002_1", "6003_1"})
        write(std::string("Db01/5万分の1/") + code, contourFile(135));
    const std::string old = "One,35.1,135.7,35.0,135.8,35.0,135.75\r\nTwo,35.1,135.7,35.0,135.8,35.0,135.75\r\n";
    write("Db01/otable5.grd", old);
    charts();
    loadChartIndex(CHART_50K);
    const std::string fresh = read("Db01/otable5.grd");
    ASSERT_NE(fresh.find("Three,"), std::string::npos);

    for (std::size_t budget = 0; budget < fresh.size(); ++budget) {
        SCOPED_TRACE(budget);
        write("Db01/otable5.grd", old);
        disk_.budget = budget;
        charts();
        loadChartIndex(CHART_50K);
        EXPECT_EQ(read("Db01/otable5.grd"), old);
        EXPECT_FALSE(exists("Db01/otable5.grd.new"));
    }
    disk_.budget = std::numeric_limits<std::size_t>::max();
    disk_.replaceFails = true;
    charts();
    loadChartIndex(CHART_50K);
    EXPECT_EQ(read("Db01/otable5.grd"), old);
    EXPECT_FALSE(exists("Db01/otable5.grd.new"));
}

// The data must be on the disk before the new file takes the old one's name:
// otherwise a power cut can leave the name on an empty file. A disk that
// cannot take the data (an I/O error at the sync) keeps the old index.
TEST_F(IndexRewrite, TheNewIndexReachesTheDiskBeforeItReplacesTheOld) {
    for (const char* name : {"a", "b", "c"}) write(std::string("Db01/r/") + name + ".con", contourFile(139));
    const std::string old = "r,a,35.1,139.7,35.0,139.8,35.0,139.75\r\nr,b,35.1,139.7,35.0,139.8,35.0,139.75\r\n";
    write("Db01/kowan.grd", old);
    disk_.syncFails = true;
    harbours();
    loadHarbourIndex();
    EXPECT_EQ(disk_.steps, std::vector<std::string>{"sync"});
    EXPECT_EQ(read("Db01/kowan.grd"), old);
    EXPECT_FALSE(exists("Db01/kowan.grd.new"));

    disk_.syncFails = false;
    disk_.steps.clear();
    harbours();
    loadHarbourIndex();
    EXPECT_EQ(disk_.steps, (std::vector<std::string>{"sync", "replace"}));
    EXPECT_NE(read("Db01/kowan.grd").find("r,c,"), std::string::npos);
}

TEST_F(IndexRewrite, ANewFileLeftByACrashIsNeitherReadNorKept) {
    for (const char* name : {"a", "b", "c"}) write(std::string("Db01/r/") + name + ".con", contourFile(139));
    // The process died half-way through the last rewrite: only the new file is cut.
    write("Db01/kowan.grd.new", "r,a,35.1,139.7,35.0,139.8,35.0,13");
    harbours();
    loadHarbourIndex();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(harbourList().records[i].originLon, 139.75);
    EXPECT_FALSE(exists("Db01/kowan.grd.new"));
    const std::string grd = read("Db01/kowan.grd");
    EXPECT_EQ(grd.substr(grd.size() - 2), "\r\n");
    EXPECT_EQ(grd.find(",13\r\n"), std::string::npos);
}

// An index cut by something outside the program (a copy interrupted, a disk
// that lost the tail of the file) ends in a line without its line end: its
// values are not trusted, the entry is worked out from the contour file.
TEST_F(IndexRewrite, ACutLastLineIsNotTakenAsGood) {
    for (const char* name : {"a", "b", "c"}) write(std::string("Db01/r/") + name + ".con", contourFile(139));
    write("Db01/kowan.grd",
          "r,a,35.1,139.7,35.0,139.8,35.0,139.75\r\nr,b,35.1,139.7,35.0,139.8,35.0,139.75\r\n"
          "r,c,35.1,139.7,35.0,139.8,35.0,13");
    harbours();
    loadHarbourIndex();
    EXPECT_EQ(harbourList().records[2].originLon, 139.75);

    for (const char* code : {"6001_1", "6002_1", "6003_1"})
        write(std::string("Db01/5万分の1/") + code, contourFile(135));
    write("Db01/otable5.grd",
          "One,35.1,135.7,35.0,135.8,35.0,135.75\r\nTwo,35.1,135.7,35.0,135.8,35.0,135.75\r\nThree,35.1,135.7,35.0,"
          "135.8,35.0,13");
    charts();
    loadChartIndex(CHART_50K);
    EXPECT_EQ(chart50kList().records[2].originLon, 135.75);
    EXPECT_EQ(chart50kList().records[0].originLon, 135.75);
}

}  // namespace
}  // namespace vornel
