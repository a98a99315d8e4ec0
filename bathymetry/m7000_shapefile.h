// Loading an M7000 shapefile data set: PolyLine records of longitude and
// latitude in degrees (.shp), each record one contour line whose depth is in
// the record of the same number in the dBASE table (.dbf).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "bathymetry/byte_reader.h"
#include "platform/platform.h"

namespace vornel {

class M7000Staging;

inline constexpr int kShapeNull = 0;
inline constexpr int kShapePolyLine = 3;

// Sequential reading of a main file through a fixed buffer, handing out
// bounds-checked cursors over the next bytes.
class ShapeStream {
public:
    static constexpr std::size_t kBufferBytes = 1 << 20;
    // The most that take() hands out at once.
    static constexpr std::size_t kMaxTake = kBufferBytes / 2;

    // Starts reading `file` from its current position.
    void reset(std::FILE* file);

    // A cursor over the next `n` (at most kMaxTake) bytes. When the file has
    // fewer, the cursor holds what is left and its reads past that fail.
    ByteReader take(std::size_t n);
    // Steps over `n` bytes; false when the file ends first.
    bool skip(std::uint64_t n);

private:
    void fill(std::size_t wanted);

    std::FILE* file_ = nullptr;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = true;
    unsigned char buf_[kBufferBytes];
};

// The shape type of the 100-byte main-file header; -1 when the file is shorter.
int readShapeHeader(ShapeStream& stream);

enum class RecordResult { Next, Stop };

// Stages the points of one record whose content (`contentBytes` from the
// record header) follows in the stream. Records of another shape type are
// stepped over. Stop when the file must not be read further: the buffer is
// full, or the record is damaged (counts out of range, early end of file).
// Every part of a multi-part record starts a new line.
RecordResult readPolyLineRecord(M7000Staging& staging, ShapeStream& stream, std::int64_t contentBytes, double depth);

// Loads the data set into the contour store (through finishM7000Load).
// originLat below 0.1 means no origin: the mean of the points is used.
// False, with the store emptied, when the main file cannot be opened.
bool loadM7000Shapefile(WindowRef owner, const std::wstring& shpPath, const std::wstring& dbfPath, double originLat,
                        double originLon);

}  // namespace vornel
