// The M7000 text loader: columns, lines from the line numbers, levels,
// origin and the capacity edge.
#include "bathymetry/m7000_text.h"

#include <gtest/gtest.h>

#include "m7000_test_support.h"

namespace vornel::m7000test {
namespace {

class M7000TextTest : public M7000Test {
protected:
    bool load(double originLat = 0.0, double originLon = 0.0) {
        return loadM7000Text(nullptr, m7("M7002.txt"), originLat, originLon);
    }
};

TEST_F(M7000TextTest, ColumnsLinesAndLevels) {
    write("m7/M7002.txt", textLine(5.0, 36.1, 140.5, 0) + textLine(5.004, 36.2, 140.6, 0) +
                              textLine(10, 36.3, 140.7, 12) + textLine(10, 36.4, 140.8, 12) +
                              textLine(20, 36.5, 140.9, 13) + textLine(20, 36.6, 141.0, 13));
    ASSERT_TRUE(load(36.0, 140.0));
    EXPECT_EQ(count(), 6);
    EXPECT_EQ(lineStarts(), (std::vector<int>{1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(levels(), (std::vector<float>{5, 10, 20}));
    EXPECT_EQ(point(1).level, 0);
    EXPECT_EQ(point(1).depth, 5.004f);
    const M7000PointBuffer& buf = m7000PointBuffer();
    EXPECT_DOUBLE_EQ(buf.points[3].lat, 36.4);
    EXPECT_DOUBLE_EQ(buf.points[3].lon, 140.8);
    EXPECT_DOUBLE_EQ(m7000Extent().northLat, 36.6);
    EXPECT_DOUBLE_EQ(m7000Extent().westLon, 140.5);
    EXPECT_DOUBLE_EQ(contourStore().projectionOrigin.originLon, 140.0);
}

TEST_F(M7000TextTest, SameLineNumberJoinsAndMeanOriginIsKept) {
    // Two lines carrying 7 one after the other are one line; a blank last
    // line adds no point at 0° N 0° E.
    write("m7/M7002.txt",
          textLine(1, 36.0, 140.0, 7) + textLine(1, 36.2, 140.2, 7) + textLine(2, 36.4, 140.4, 7) + "\r\n");
    ASSERT_TRUE(load());
    EXPECT_EQ(lineStarts(), (std::vector<int>{1, 0, 0}));
    EXPECT_DOUBLE_EQ(contourStore().projectionOrigin.originLat, (36.0 + 36.2 + 36.4) / 3);
    EXPECT_DOUBLE_EQ(contourStore().projectionOrigin.originLon, (140.0 + 140.2 + 140.4) / 3);
    EXPECT_DOUBLE_EQ(m7000Extent().southLat, 36.0);
}

TEST_F(M7000TextTest, PointCapacityEdge) {
    // The shortest line that is a point: the depth column only.
    const std::string line = "          1\n";
    std::string block;
    for (int i = 0; i < 100000; ++i) block += line;
    {
        std::FILE* f = std::fopen((root_ / "m7" / "M7002.txt").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        for (int i = 0; i < kM7000PointCapacity / 100000; ++i) std::fwrite(block.data(), 1, block.size(), f);
        std::fclose(f);
    }
    ASSERT_TRUE(load(36.0, 140.0));
    EXPECT_EQ(count(), kM7000PointCapacity);
    EXPECT_TRUE(rec_.warnings.empty());

    {
        std::FILE* f = std::fopen((root_ / "m7" / "M7002.txt").c_str(), "ab");
        std::fputs("          2\n          3\n", f);
        std::fclose(f);
    }
    ASSERT_TRUE(load(36.0, 140.0));
    EXPECT_EQ(count(), kM7000PointCapacity);
    EXPECT_EQ(texts(), (std::vector<std::string>{"既定数を超える等深線データが有ります。(>5000000)"}));
    EXPECT_EQ(levels(), (std::vector<float>{1}));
}

TEST_F(M7000TextTest, MoreThanTenThousandDepthsAreLeftOutWithOneWarning) {
    std::string text;
    for (int i = 0; i < kDepthLevelCapacity + 5; ++i) text += textLine(i * 0.05, 36.0, 140.0, i);
    write("m7/M7002.txt", text);
    ASSERT_TRUE(load(36.0, 140.0));
    EXPECT_EQ(count(), kDepthLevelCapacity);
    EXPECT_EQ(contourStore().depthLevelCount, kDepthLevelCapacity);
    ASSERT_EQ(texts().size(), 1u);
    EXPECT_EQ(texts()[0], "既定数を超える水深の種類が有ります。[M7002.txt](>10000)");
}

}  // namespace
}  // namespace vornel::m7000test
