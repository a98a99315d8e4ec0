// Shapefiles written by GDAL, an independent writer: what our loader stages
// must be what ogrinfo reads from the same files. Skipped when GDAL's command
// line tools are not installed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "bathymetry/m7000_shapefile.h"
#include "m7000_test_support.h"

namespace vornel::m7000test {
namespace {

bool haveGdal() {
    static const bool have =
        std::system("ogr2ogr --version >/dev/null 2>&1") == 0 && std::system("ogrinfo --version >/dev/null 2>&1") == 0;
    return have;
}

struct Feature {
    double depth = 0;
    std::vector<Part> parts;  // (lon, lat)
};

// The features of `ogrinfo -al -q`: the value of the field `depthField` and
// the parts of a (MULTI)LINESTRING geometry. Other geometries give no parts.
std::vector<Feature> parseOgrinfo(const std::string& text, const std::string& depthField) {
    std::vector<Feature> features;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("OGRFeature(", 0) == 0) {
            features.emplace_back();
            continue;
        }
        if (features.empty()) continue;
        const std::size_t eq = line.find(" = ");
        if (line.rfind("  " + depthField + " (", 0) == 0 && eq != std::string::npos) {
            features.back().depth = std::strtod(line.c_str() + eq + 3, nullptr);
        } else if (line.rfind("  LINESTRING", 0) == 0 || line.rfind("  MULTILINESTRING", 0) == 0) {
            const bool multi = line.rfind("  MULTI", 0) == 0;
            int depth = 0;
            const char* p = line.c_str();
            while (*p) {
                if (*p == '(') {
                    ++depth;
                    if (depth == (multi ? 2 : 1)) features.back().parts.emplace_back();
                    ++p;
                } else if (*p == ')') {
                    --depth;
                    ++p;
                } else if (depth > 0 && (std::isdigit(static_cast<unsigned char>(*p)) || *p == '-')) {
                    char* end;
                    const double x = std::strtod(p, &end);
                    const double y = std::strtod(end, &end);
                    features.back().parts.back().push_back({x, y});
                    p = end;
                } else {
                    ++p;
                }
            }
        }
    }
    return features;
}

class M7000GdalTest : public M7000Test {
protected:
    void SetUp() override {
        M7000Test::SetUp();
        if (!haveGdal()) GTEST_SKIP() << "GDAL's ogr2ogr/ogrinfo are not installed (Debian package gdal-bin)";
    }

    std::string path(const std::string& name) const { return (root_ / "m7" / name).string(); }

    std::string run(const std::string& command) {
        const std::string out = path("command.out");
        const int rc = std::system((command + " >'" + out + "' 2>&1").c_str());
        std::ifstream f(out);
        std::stringstream s;
        s << f.rdbuf();
        EXPECT_EQ(rc, 0) << command << "\n" << s.str();
        return s.str();
    }

    // ogr2ogr of the GeoJSON `json` into M7001.shp with the extra options.
    void makeShapefile(const std::string& json, const std::string& options = "") {
        write("m7/in.geojson", json);
        run("ogr2ogr -f 'ESRI Shapefile' " + options + " '" + path("M7001.shp") + "' '" + path("in.geojson") + "'");
    }

    // Loads M7001.shp and compares every staged point, depth and line start
    // with what ogrinfo reads.
    void expectSameAsOgrinfo(const std::string& depthField, std::size_t expectedPoints) {
        const std::vector<Feature> features =
            parseOgrinfo(run("ogrinfo -al -q '" + path("M7001.shp") + "'"), depthField);
        ASSERT_TRUE(loadM7000Shapefile(nullptr, m7("M7001.shp"), m7("M7001.dbf"), 36.0, 140.0));
        const M7000PointBuffer& buf = m7000PointBuffer();
        std::size_t k = 0;
        for (const Feature& f : features) {
            for (const Part& part : f.parts) {
                for (std::size_t i = 0; i < part.size(); ++i, ++k) {
                    ASSERT_LT(k, static_cast<std::size_t>(buf.m7000PointCount));
                    EXPECT_NEAR(buf.points[k].lon, part[i].first, 1e-9) << k;
                    EXPECT_NEAR(buf.points[k].lat, part[i].second, 1e-9) << k;
                    EXPECT_EQ(buf.points[k].depth, static_cast<float>(f.depth)) << k;
                    EXPECT_EQ(buf.points[k].lineStart, i == 0 ? 1 : 0) << k;
                }
            }
        }
        EXPECT_EQ(k, static_cast<std::size_t>(buf.m7000PointCount));
        EXPECT_EQ(k, expectedPoints);
        EXPECT_TRUE(rec_.warnings.empty());
    }
};

std::string lineFeature(double depth, const std::string& coordinates, const std::string& field = "Depth",
                        const char* type = "LineString") {
    return format(R"({"type":"Feature","properties":{"Name":"c","%s":%.17g},)"
                  R"("geometry":{"type":"%s","coordinates":%s}})",
                  field.c_str(), depth, type, coordinates.c_str());
}

std::string collection(const std::vector<std::string>& features) {
    std::string json = R"({"type":"FeatureCollection","features":[)";
    for (std::size_t i = 0; i < features.size(); ++i) json += (i ? "," : "") + features[i];
    return json + "]}";
}

TEST_F(M7000GdalTest, PolyLinesWithDepthField) {
    makeShapefile(collection({
        lineFeature(10, "[[140.1,36.1],[140.123456789,36.2],[140.3,36.25]]"),
        lineFeature(12.5, "[[140.5,36.5],[140.6,36.6]]"),
        lineFeature(10.004, "[[141.0,37.0],[141.1,37.1],[141.2,37.0],[141.3,37.2]]"),
    }));
    expectSameAsOgrinfo("Depth", 9);
    EXPECT_EQ(levels(), (std::vector<float>{10, 12.5f}));
}

TEST_F(M7000GdalTest, CodePage932FieldNameMultiPartsAndNullShapes) {
    makeShapefile(collection({
                      lineFeature(20, "[[[140.1,36.1],[140.2,36.2]],[[140.3,36.3],[140.4,36.4],[140.5,36.3]]]",
                                  "鉛直値", "MultiLineString"),
                      R"({"type":"Feature","properties":{"Name":"n","鉛直値":30},"geometry":null})",
                      lineFeature(40, "[[141.1,37.1],[141.2,37.2]]", "鉛直値"),
                  }),
                  "-nlt MULTILINESTRING -lco ENCODING=CP932");
    // The field name is stored in Shift_JIS in the table's first descriptor
    // after "Name".
    const std::string dbf = read("m7/M7001.dbf");
    ASSERT_GT(dbf.size(), 64u + 6u);
    EXPECT_EQ(dbf.substr(64, 6), "\x89\x94\x92\xbc\x92\x6c");
    EXPECT_EQ(dbf[70], '\0');
    expectSameAsOgrinfo("鉛直値", 7);
}

TEST_F(M7000GdalTest, PolygonAndPointLayersStageNothing) {
    makeShapefile(collection({lineFeature(5, "[[[140,36],[140.1,36],[140.1,36.1],[140,36]]]", "Depth", "Polygon")}));
    EXPECT_NE(run("ogrinfo -so -al '" + path("M7001.shp") + "'").find("Polygon"), std::string::npos);
    ASSERT_TRUE(loadM7000Shapefile(nullptr, m7("M7001.shp"), m7("M7001.dbf"), 36.0, 140.0));
    EXPECT_EQ(count(), 0);

    closeDepthTableCache();
    std::filesystem::remove_all(root_ / "m7" / "M7001.shp");
    makeShapefile(collection({lineFeature(5, "[140,36]", "Depth", "Point")}), "-overwrite");
    ASSERT_TRUE(loadM7000Shapefile(nullptr, m7("M7001.shp"), m7("M7001.dbf"), 36.0, 140.0));
    EXPECT_EQ(count(), 0);
}

// The sample data set's shapefile, made by our own generator, reads in GDAL
// as in the program.
TEST_F(M7000GdalTest, SampleDataSetReadsAlike) {
    const std::filesystem::path sample = std::filesystem::path(VORNEL_SOURCE_DIR) / "sample" / "M7000";
    for (const char* ext : {".shp", ".shx", ".dbf", ".prj"})
        std::filesystem::copy_file(sample / (std::string("M7001") + ext), root_ / "m7" / (std::string("M7001") + ext));
    expectSameAsOgrinfo("Depth", 687);
}

}  // namespace
}  // namespace vornel::m7000test
