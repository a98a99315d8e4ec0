#include "bathymetry/m7000_shapefile.h"

#include <algorithm>
#include <cstring>

#include "bathymetry/m7000_depth_table.h"
#include "bathymetry/m7000_points.h"

namespace vornel {

namespace {

constexpr std::size_t kMainHeaderBytes = 100;
constexpr std::size_t kShapeTypeOffset = 32;
constexpr std::size_t kRecordHeaderBytes = 8;
// Shape type, bounding box (four doubles), NumParts and NumPoints.
constexpr std::int64_t kPolyLineHeadBytes = 4 + 32 + 4 + 4;
constexpr std::size_t kPointBytes = 16;
// Points are taken from the stream in batches of this many.
constexpr std::size_t kPointBatch = 4096;

// Where the parts of the record being read begin. A part beyond the buffer's
// capacity could not start a staged line anyway.
std::int32_t partStarts[kM7000PointCapacity];

}  // namespace

void ShapeStream::reset(std::FILE* file) {
    file_ = file;
    pos_ = end_ = 0;
    eof_ = file == nullptr;
}

void ShapeStream::fill(std::size_t wanted) {
    if (end_ - pos_ >= wanted || eof_) return;
    std::memmove(buf_, buf_ + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
    while (end_ < wanted && !eof_) {
        const std::size_t got = std::fread(buf_ + end_, 1, kBufferBytes - end_, file_);
        if (got == 0) eof_ = true;
        end_ += got;
    }
}

ByteReader ShapeStream::take(std::size_t n) {
    n = std::min(n, kMaxTake);
    fill(n);
    const std::size_t have = std::min(n, end_ - pos_);
    ByteReader reader(buf_ + pos_, have);
    pos_ += have;
    return reader;
}

bool ShapeStream::skip(std::uint64_t n) {
    while (n > 0) {
        fill(1);
        const std::size_t have = end_ - pos_;
        if (have == 0) return false;
        const std::size_t step = static_cast<std::size_t>(std::min<std::uint64_t>(n, have));
        pos_ += step;
        n -= step;
    }
    return true;
}

int readShapeHeader(ShapeStream& stream) {
    ByteReader header = stream.take(kMainHeaderBytes);
    header.skip(kShapeTypeOffset);
    const int type = header.i32le();
    header.skip(kMainHeaderBytes - kShapeTypeOffset - 4);
    return header.failed() ? -1 : type;
}

RecordResult readPolyLineRecord(M7000Staging& staging, ShapeStream& stream, std::int64_t contentBytes, double depth) {
    if (contentBytes < 4) return RecordResult::Stop;  // not even a shape type: the record layout is lost
    ByteReader typeField = stream.take(4);
    const int type = typeField.i32le();
    if (typeField.failed()) return RecordResult::Stop;
    if (type != kShapePolyLine) {
        // A null shape (a feature without geometry) or a stray other type:
        // its content length tells where the next record begins.
        return stream.skip(static_cast<std::uint64_t>(contentBytes - 4)) ? RecordResult::Next : RecordResult::Stop;
    }
    if (contentBytes < kPolyLineHeadBytes) return RecordResult::Stop;
    ByteReader head = stream.take(kPolyLineHeadBytes - 4);
    head.skip(32);  // bounding box
    const std::int32_t numParts = head.i32le();
    const std::int32_t numPoints = head.i32le();
    if (head.failed()) return RecordResult::Stop;
    // The counts must fit the record's own length; a negative or oversized
    // count means the record (and everything after it) cannot be trusted.
    if (numParts < 0 || numPoints < 0) return RecordResult::Stop;
    const std::int64_t needed = kPolyLineHeadBytes + std::int64_t{4} * numParts + std::int64_t{16} * numPoints;
    if (needed > contentBytes) return RecordResult::Stop;

    // Part indices: valid ones (starting at 0, increasing, inside the record)
    // start new lines; otherwise the record is one line, as it is always read.
    int partCount = 0;
    bool partsValid = true;
    for (std::int32_t done = 0; done < numParts;) {
        const std::int32_t batch = std::min<std::int32_t>(numParts - done, static_cast<std::int32_t>(kPointBatch));
        ByteReader parts = stream.take(static_cast<std::size_t>(batch) * 4);
        for (std::int32_t k = 0; k < batch; ++k) {
            const std::int32_t start = parts.i32le();
            if (parts.failed()) return RecordResult::Stop;
            const bool inOrder = partCount == 0 ? start == 0 : start > partStarts[partCount - 1];
            if (!inOrder || start >= numPoints) partsValid = false;
            if (partsValid && partCount < kM7000PointCapacity) partStarts[partCount++] = start;
        }
        done += batch;
    }
    if (!partsValid) partCount = 0;

    const int level = staging.levelOf(depth);
    const float depthF = static_cast<float>(depth);
    int nextPart = partCount > 1 ? 1 : partCount;
    for (std::int32_t done = 0; done < numPoints;) {
        const std::int32_t batch = std::min<std::int32_t>(numPoints - done, static_cast<std::int32_t>(kPointBatch));
        ByteReader pts = stream.take(static_cast<std::size_t>(batch) * kPointBytes);
        for (std::int32_t k = 0; k < batch; ++k) {
            const std::int32_t index = done + k;
            const double x = pts.f64le();
            const double y = pts.f64le();
            if (pts.failed()) return RecordResult::Stop;  // the file ends inside the record
            std::int32_t lineStart = index == 0 ? 1 : 0;
            if (nextPart < partCount && partStarts[nextPart] == index) {
                lineStart = 1;
                ++nextPart;
            }
            if (staging.full()) {
                staging.warnFull();
                return RecordResult::Stop;
            }
            // A depth with no room in the level list has no level to draw with.
            if (level >= 0) staging.stage(y, x, depthF, level, lineStart);
        }
        done += batch;
    }
    // Anything the record holds beyond its points (a writer's padding).
    return stream.skip(static_cast<std::uint64_t>(contentBytes - needed)) ? RecordResult::Next : RecordResult::Stop;
}

bool loadM7000Shapefile(WindowRef owner, const std::wstring& shpPath, const std::wstring& dbfPath, double originLat,
                        double originLon) {
    M7000Staging staging(owner, shpPath);
    ScopedFile file(platform().openFile(shpPath, "rb"));
    if (!file) {
        abandonM7000Load();
        return false;
    }
    // One stream for the run: its buffer is a megabyte.
    static ShapeStream stream;
    stream.reset(file.get());

    // Only PolyLine files hold contour lines; any other type stages nothing.
    if (readShapeHeader(stream) == kShapePolyLine) {
        for (;;) {
            ByteReader rh = stream.take(kRecordHeaderBytes);
            const std::int32_t number = rh.i32be();
            const std::int32_t contentWords = rh.i32be();
            if (rh.failed() || number < 0 || contentWords < 0) break;
            const double depth = readDepthValue(dbfPath, number - 1);
            if (readPolyLineRecord(staging, stream, std::int64_t{2} * contentWords, depth) == RecordResult::Stop) break;
            if (staging.full()) break;  // a record that ended exactly at the capacity: no message
        }
    }
    stream.reset(nullptr);
    file.close();
    finishM7000Load(originLat, originLon);
    return true;
}

}  // namespace vornel
