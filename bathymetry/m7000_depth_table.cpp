#include "bathymetry/m7000_depth_table.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "bathymetry/byte_reader.h"
#include "bathymetry/fixed_columns.h"
#include "platform/platform.h"

namespace vornel {

namespace {

constexpr double kNoDepth = 9999.0;
constexpr std::size_t kTableHeaderBytes = 32;
constexpr std::size_t kDescriptorBytes = 32;
constexpr std::size_t kFieldNameBytes = 11;
// The depth field's name in code page 932: 鉛直値.
constexpr std::string_view kDepthNameCp932 = "\x89\x94\x92\xbc\x92\x6c";
// Records are read through a window of the file: the records of a data set
// are asked for in order, so most reads need no seek and no system call.
constexpr std::size_t kWindowBytes = 1 << 16;

struct DepthTableCache {
    int open = 0;
    std::wstring tableName;
    std::FILE* handle = nullptr;
    int headerLength = 0;
    int recordLength = 0;
    int fieldOffset = 0;  // 1 = just after the deletion flag
    int fieldLength = 0;  // 0: the table has no depth field
    // The window: bytes [windowStart, windowStart + windowSize) of the file.
    long long windowStart = -1;
    std::size_t windowSize = 0;
    unsigned char window[kWindowBytes];
};
DepthTableCache cache;

bool isDepthName(const unsigned char* name) {
    std::size_t len = 0;
    while (len < kFieldNameBytes && name[len] != 0) ++len;
    const std::string_view n(reinterpret_cast<const char*>(name), len);
    return n == "Depth" || n == kDepthNameCp932;
}

// Reads the header and the field descriptors and finds the depth field.
// A header that does not make sense leaves the table without depth field.
void readLayout() {
    cache.fieldLength = 0;
    unsigned char head[kTableHeaderBytes];
    if (std::fread(head, 1, sizeof head, cache.handle) != sizeof head) return;
    ByteReader h(head, sizeof head);
    h.skip(8);
    cache.headerLength = h.u16le();
    cache.recordLength = h.u16le();
    // The descriptors fill the header after its first 32 bytes up to the
    // terminator; a 16-bit header length allows at most 2046 of them, so the
    // count needs no further cap.
    if (cache.headerLength < static_cast<int>(kTableHeaderBytes + 1)) return;
    const int descriptors = (cache.headerLength - 1) / static_cast<int>(kDescriptorBytes) - 1;
    int offset = 1;
    for (int d = 0; d < descriptors; ++d) {
        unsigned char desc[kDescriptorBytes];
        if (std::fread(desc, 1, sizeof desc, cache.handle) != sizeof desc) return;
        // dBASE ends the descriptors early with 0x0D; nothing after it is a field.
        if (desc[0] == 0x0D) return;
        const int length = desc[16];
        if (isDepthName(desc)) {
            // A field that does not lie inside the record is no field to read.
            if (length > 0 && offset + length <= cache.recordLength) {
                cache.fieldOffset = offset;
                cache.fieldLength = length;
            }
            return;
        }
        offset += length;
    }
}

bool openTable(const std::wstring& path) {
    cache.handle = platform().openFile(path, "rb");
    if (!cache.handle) {
        cache.open = 0;
        cache.tableName.clear();
        return false;
    }
    cache.open = 1;
    cache.tableName = path;
    cache.windowStart = -1;
    cache.windowSize = 0;
    readLayout();
    return true;
}

// The `length` bytes at `position`, or null when the file has fewer.
const unsigned char* readAt(long long position, std::size_t length) {
    if (position < cache.windowStart ||
        position + static_cast<long long>(length) > cache.windowStart + static_cast<long long>(cache.windowSize)) {
        cache.windowStart = -1;
        cache.windowSize = 0;
        if (position > 0x7fffffffLL) return nullptr;  // beyond what a dBASE table can address with fseek
        if (std::fseek(cache.handle, static_cast<long>(position), SEEK_SET) != 0) return nullptr;
        cache.windowSize = std::fread(cache.window, 1, kWindowBytes, cache.handle);
        cache.windowStart = position;
        if (length > cache.windowSize) return nullptr;
    }
    return cache.window + (position - cache.windowStart);
}

}  // namespace

double readDepthValue(const std::wstring& tablePath, int recordIndex) {
    if (!(cache.open == 1 && cache.handle && cache.tableName == tablePath)) {
        closeDepthTableCache();
        if (!openTable(tablePath)) return kNoDepth;
    }
    if (recordIndex < 0 || cache.fieldLength == 0) return kNoDepth;
    const long long position = static_cast<long long>(cache.headerLength) +
                               static_cast<long long>(recordIndex) * cache.recordLength + cache.fieldOffset;
    const unsigned char* field = readAt(position, static_cast<std::size_t>(cache.fieldLength));
    if (!field) return kNoDepth;  // no such record in the file
    return parseDouble(std::string_view(reinterpret_cast<const char*>(field), cache.fieldLength));
}

void closeDepthTableCache() {
    if (cache.handle) std::fclose(cache.handle);
    cache.handle = nullptr;
    cache.open = 0;
    cache.tableName.clear();
    cache.windowStart = -1;
    cache.windowSize = 0;
}

bool depthTableCacheOpen() {
    return cache.open == 1 && cache.handle != nullptr;
}

}  // namespace vornel
