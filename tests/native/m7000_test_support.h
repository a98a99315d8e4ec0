// Building M7000 data files byte by byte for the loader and search tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "bathymetry/contour_store.h"
#include "bathymetry/data_folder.h"
#include "bathymetry/m7000_depth_table.h"
#include "bathymetry/m7000_list.h"
#include "bathymetry/m7000_points.h"
#include "bathymetry_test_fixture.h"

namespace vornel::m7000test {

inline void le32(std::string& out, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) out += static_cast<char>(u >> (8 * i) & 0xff);
}
inline void be32(std::string& out, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 3; i >= 0; --i) out += static_cast<char>(u >> (8 * i) & 0xff);
}
inline void le64(std::string& out, double d) {
    std::uint64_t u;
    std::memcpy(&u, &d, 8);
    for (int i = 0; i < 8; ++i) out += static_cast<char>(u >> (8 * i) & 0xff);
}

using Part = std::vector<std::pair<double, double>>;  // (lon, lat)

// The content of a PolyLine record (shape type, box, counts, parts, points).
inline std::string polyLineContent(const std::vector<Part>& parts) {
    std::string c;
    le32(c, 3);
    for (int i = 0; i < 4; ++i) le64(c, 0.0);
    int points = 0;
    for (const Part& p : parts) points += static_cast<int>(p.size());
    le32(c, static_cast<int>(parts.size()));
    le32(c, points);
    int start = 0;
    for (const Part& p : parts) {
        le32(c, start);
        start += static_cast<int>(p.size());
    }
    for (const Part& p : parts)
        for (auto [x, y] : p) {
            le64(c, x);
            le64(c, y);
        }
    return c;
}

// A record: its header (number, content length in 16-bit words) and content.
inline std::string shpRecord(int number, const std::string& content) {
    std::string r;
    be32(r, number);
    be32(r, static_cast<int>(content.size() / 2));
    return r + content;
}

// The 100-byte main-file header of `shapeType` followed by the records.
inline std::string shpFile(int shapeType, const std::string& records) {
    std::string h;
    be32(h, 9994);
    h.append(20, '\0');
    be32(h, static_cast<int>((100 + records.size()) / 2));
    le32(h, 1000);
    le32(h, shapeType);
    h.append(64, '\0');
    return h + records;
}

// Writes a PolyLine main file of single-part records with the given point
// counts straight to `path`, a chunk at a time (millions of points).
inline void writeLargeShp(const std::filesystem::path& path, const std::vector<int>& recordSizes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::string chunk = shpFile(3, "");
    chunk.reserve(1 << 20);
    int number = 1;
    for (int n : recordSizes) {
        be32(chunk, number++);
        be32(chunk, static_cast<int>((48 + 16 * std::int64_t{n}) / 2));
        le32(chunk, 3);
        chunk.append(32, '\0');
        le32(chunk, 1);
        le32(chunk, n);
        le32(chunk, 0);
        for (int i = 0; i < n; ++i) {
            le64(chunk, 140.0 + (i % 1000) * 1e-4);
            le64(chunk, 36.0 + (i / 1000) * 1e-4);
            if (chunk.size() > (1u << 20) - 64) {
                std::fwrite(chunk.data(), 1, chunk.size(), f);
                chunk.clear();
            }
        }
    }
    std::fwrite(chunk.data(), 1, chunk.size(), f);
    std::fclose(f);
}

struct DbfField {
    std::string name;  // bytes, at most 11
    char type = 'N';
    int length = 10;
};

// A dBASE III table with the given fields and rows (one string per field,
// right-aligned into the field's width).
inline std::string dbfFile(const std::vector<DbfField>& fields, const std::vector<std::vector<std::string>>& rows) {
    int recordLength = 1;
    for (const DbfField& f : fields) recordLength += f.length;
    const int headerLength = 32 + 32 * static_cast<int>(fields.size()) + 1;
    std::string t;
    t += '\x03';
    t += "\x7e\x01\x01";
    le32(t, static_cast<int>(rows.size()));
    t += static_cast<char>(headerLength & 0xff);
    t += static_cast<char>(headerLength >> 8);
    t += static_cast<char>(recordLength & 0xff);
    t += static_cast<char>(recordLength >> 8);
    t.append(20, '\0');
    for (const DbfField& f : fields) {
        std::string d = f.name;
        d.resize(11, '\0');
        d += f.type;
        d.append(4, '\0');
        d += static_cast<char>(f.length);
        d.append(15, '\0');
        t += d;
    }
    t += '\x0d';
    for (const auto& row : rows) {
        t += ' ';
        for (std::size_t i = 0; i < fields.size(); ++i) {
            std::string v = i < row.size() ? row[i] : "";
            if (static_cast<int>(v.size()) < fields[i].length) v.insert(0, fields[i].length - v.size(), ' ');
            t += v.substr(0, fields[i].length);
        }
    }
    t += '\x1a';
    return t;
}

// A line of the text data format: depth, latitude, longitude and line number at their columns.
inline std::string textLine(double depth, double lat, double lon, int lineId) {
    return pad("", 10) + pad(format("%7.3f", depth), 7) + pad(format("%9.5f", lat), 9) +
           pad(format("%10.5f", lon), 10) + pad("", 14) + pad(format("%8d", lineId), 8) + "\r\n";
}

// A program folder with Db01 and the M7000 folder "m7" beside it.
class M7000Test : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        closeDepthTableCache();
        resetM7000Lists();
        mkdir("m7");
        dataFolders().m7000Folder = widen((root_ / "m7").string());
    }
    void TearDown() override {
        closeDepthTableCache();
        DataFolderTest::TearDown();
    }
    std::wstring m7(const std::string& name) const { return widen((root_ / "m7" / name).string()); }

    const ContourPoint& point(int i) const { return contourStore().points[i]; }
    int count() const { return contourStore().contourPointCount; }
    std::vector<int> lineStarts() const {
        std::vector<int> out;
        for (int i = 0; i < count(); ++i) out.push_back(point(i).lineStart);
        return out;
    }
    std::vector<float> depths() const {
        std::vector<float> out;
        for (int i = 0; i < count(); ++i) out.push_back(point(i).depth);
        return out;
    }
    std::vector<float> levels() const {
        const ContourStore& s = contourStore();
        return std::vector<float>(s.depthLevelList, s.depthLevelList + s.depthLevelCount);
    }
};

}  // namespace vornel::m7000test
