#include "bathymetry/harbour_list.h"

#include <cstring>
#include <string>
#include <string_view>

#include "bathymetry/data_folder.h"
#include "bathymetry/fixed_columns.h"
#include "bathymetry/messages.h"
#include "platform/line_reader.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace vornel {

namespace txt = bathymetry_text;

namespace {

HarbourList harbours;
RegionList regions;

// Columns of a kowan.lst record line.
constexpr std::size_t kNameColumn = 0, kNameWidth = 20;
constexpr std::size_t kRegionColumn = 50, kRegionWidth = 10;
constexpr std::size_t kLatColumn = 142, kLonColumn = 156;

// A file name that does not fit the name field once ".con" is removed.
constexpr std::size_t kMaxContourFileName = 35;

int findRegion(std::string_view name) {
    for (int i = 0; i < regions.regionCount; ++i)
        if (name == regions.names[i]) return i;
    return -1;
}

int findHarbour(std::string_view name, std::string_view region) {
    for (int i = 0; i < harbours.harbourCount; ++i)
        if (name == harbours.records[i].name && region == harbours.records[i].region) return i;
    return -1;
}

void readHarbourRecord(HarbourRecord& record, std::string_view line) {
    record = HarbourRecord{};
    copyField(record.name, trimTrailing(column(line, kNameColumn, kNameWidth)));
    copyField(record.region, trimTrailing(column(line, kRegionColumn, kRegionWidth)));
    // Without a full angle field the origin stays 0 and comes from the contour file header.
    parseHarbourListDms(line, kLatColumn, record.originLat);
    parseHarbourListDms(line, kLonColumn, record.originLon);
}

void readKowanList(WindowRef owner) {
    std::wstring path;
    if (!dataFilePath(path, L"kowan.lst")) return;
    ScopedFile file(platform().openFile(path, "rb"));
    if (!file) return;
    LineReader reader(file.get());
    std::string_view line;
    if (!reader.next(line)) return;
    int announced = parseInt(line);
    if (announced > kHarbourCapacity) {
        platform().warn(owner, widen(txt::kCaptionHarbourList),
                        txt::harbourListOverCapacity(announced, kHarbourCapacity));
        announced = kHarbourCapacity;
    }
    while (harbours.harbourCount < announced && reader.next(line))
        readHarbourRecord(harbours.records[harbours.harbourCount++], line);
}

// Appends a region name unless it is known; false when the list is full.
bool addRegion(std::string_view name) {
    if (findRegion(name) >= 0) return true;
    if (regions.regionCount >= kRegionCapacity) return false;
    copyField(regions.names[regions.regionCount++], name);
    return true;
}

void scanOneRegionFolder(WindowRef owner, const std::wstring& dataFolder, const std::wstring& wideRegion,
                         std::string_view region) {
    const std::wstring caption = widen(txt::kCaptionConCheck);
    std::wstring folder;
    if (!joinPath(folder, dataFolder, wideRegion)) return;
    for (const DirEntry& entry : platform().listDirectory(folder, L"*.con")) {
        if (entry.isDirectory) continue;
        const std::optional<std::string> exactName = exactCp932(entry.name);
        if (!exactName) {
            platform().warn(owner, caption, txt::fileNameNotShiftJis(entry.name));
            continue;
        }
        const std::string& fileName = *exactName;
        if (fileName.size() <= 4) continue;
        const std::string_view baseName = std::string_view(fileName).substr(0, fileName.size() - 4);
        const int found = findHarbour(baseName, region);
        if (found >= 0) {
            harbours.records[found].selected += 10;
            continue;
        }
        if (fileName.size() > kMaxContourFileName) {
            platform().warn(owner, caption, txt::fileNameTooLong(fileName));
            continue;
        }
        if (harbours.harbourCount >= kHarbourCapacity) {
            platform().warn(owner, caption, txt::tooManyContourFiles(fileName, kHarbourCapacity));
            return;  // the next folder is still scanned
        }
        HarbourRecord& record = harbours.records[harbours.harbourCount++];
        record = HarbourRecord{};
        copyField(record.name, baseName);
        copyField(record.region, region);
        record.selected = 10;
        // The harbour stays even when the region menu is full; it is then only
        // reachable from the overview map.
        if (!addRegion(region)) platform().warn(owner, caption, txt::tooManyRegions(region, kRegionCapacity));
    }
}

// Removes record i; the later records move up by one.
void removeHarbour(int i) {
    std::memmove(&harbours.records[i], &harbours.records[i + 1],
                 sizeof(HarbourRecord) * static_cast<std::size_t>(harbours.harbourCount - i - 1));
    --harbours.harbourCount;
}

}  // namespace

HarbourList& harbourList() {
    return harbours;
}
RegionList& regionList() {
    return regions;
}

void resetHarbourList() {
    harbours.harbourCount = 0;
    regions.regionCount = 0;
}

int scanRegionFolders(WindowRef owner) {
    const std::wstring caption = widen(txt::kCaptionConCheck);
    std::wstring dataFolder;
    if (dataFolderPath(dataFolder)) {
        for (const DirEntry& entry : platform().listDirectory(dataFolder, L"*")) {
            if (!entry.isDirectory || entry.name.empty() || entry.name[0] == L'.') continue;
            const std::optional<std::string> exactRegion = exactCp932(entry.name);
            if (!exactRegion) {
                platform().warn(owner, caption, txt::folderNameNotShiftJis(entry.name));
                continue;
            }
            const std::string& region = *exactRegion;
            // A name cut to fit the record would build the path of another folder.
            if (region.size() >= sizeof(HarbourRecord::region)) {
                platform().warn(owner, caption, txt::folderNameTooLong(region));
                continue;
            }
            scanOneRegionFolder(owner, dataFolder, entry.name, region);
        }
    }
    for (int i = 0; i < harbours.harbourCount;) {
        HarbourRecord& record = harbours.records[i];
        if (record.selected < 10) {
            platform().warn(owner, caption, txt::contourFileMissing(record.name));
            removeHarbour(i);
            continue;
        }
        record.selected %= 10;
        ++i;
    }
    return 1;
}

void loadHarbourList(WindowRef owner) {
    resetHarbourList();
    readKowanList(owner);
    scanRegionFolders(owner);
    // Regions named only by kowan.lst records come after those of unlisted files.
    // Regions beyond the menu's capacity are dropped, reported once each.
    for (int i = 0; i < harbours.harbourCount; ++i) {
        const char* region = harbours.records[i].region;
        if (addRegion(region)) continue;
        bool reported = false;
        for (int j = 0; j < i && !reported; ++j) reported = std::strcmp(harbours.records[j].region, region) == 0;
        if (!reported)
            platform().warn(owner, widen(txt::kCaptionHarbourList), txt::tooManyRegions(region, kRegionCapacity));
    }
}

}  // namespace vornel
