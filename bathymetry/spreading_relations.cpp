#include "bathymetry/spreading_relations.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "bathymetry/data_folder.h"
#include "platform/line_reader.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace vornel {

namespace {

SpreadingRelationList relationList;

constexpr char kCaption[] = "parameter.lstの読込";
constexpr char kOverCapacity[] = "既定数を超えるデータが有ります。[parameter.lst](%d>%d)";
constexpr std::string_view kSeparators = ",\t\r\n";

bool isShiftJisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The longest prefix of `text` of at most `bytes` bytes that ends on a whole
// (single- or double-byte) character.
std::string_view wholeCharacters(std::string_view text, std::size_t bytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width = isShiftJisLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + width > bytes) break;
        end += width;
    }
    return text.substr(0, std::min(end, text.size()));
}

double readReal(std::string_view token) {
    const std::string copy(token);  // atof needs the terminator
    return std::atof(copy.c_str());
}

// Where the tokens of the lines go while the file is read.
class Loader {
public:
    explicit Loader(SpreadingRelationList& list) : list_(list) {}

    void readLine(std::string_view line) {
        SpreadingRelation* relation = nullptr;
        int fieldCount = 0;
        for (std::size_t pos = 0;;) {
            const std::size_t begin = line.find_first_not_of(kSeparators, pos);
            if (begin == std::string_view::npos) break;
            std::size_t end = line.find_first_of(kSeparators, begin);
            if (end == std::string_view::npos) end = line.size();
            const std::string_view token = line.substr(begin, end - begin);
            pos = end;
            ++fieldCount;
            if (fieldCount == 1) {
                relation = relationNamed(token);
                if (!relation) return;  // no room for another relation
                continue;
            }
            if (fieldCount > 4) break;  // further tokens are ignored
            const int k = relation->rowCount;
            if (k >= kMaxSectorRows) {
                // A row past the capacity has no place; it only counts for the warning.
                if (fieldCount == 4) ++extraRows_[relation - list_.relations];
                continue;
            }
            SectorRow& row = relation->rows[k];
            if (fieldCount == 2) copyField(row.label, wholeCharacters(token, sizeof row.label - 1));
            if (fieldCount == 3) row.slope = readReal(token);
            if (fieldCount == 4) {
                row.intercept = readReal(token);
                relation->rowCount = k + 1;  // the intercept completes the row
            }
        }
    }

    // Distinct names found, when more than the list holds; else 0.
    int namesFound() const {
        return droppedNames_.empty() ? 0 : kMaxSpreadingRelations + static_cast<int>(droppedNames_.size());
    }
    // Complete rows of the longest relation, when more than a relation holds; else 0.
    int mostRowsFound() const {
        const int most = *std::max_element(std::begin(extraRows_), std::end(extraRows_));
        return most == 0 ? 0 : kMaxSectorRows + most;
    }

private:
    SpreadingRelation* relationNamed(std::string_view name) {
        for (int i = 0; i < list_.relationCount; ++i)
            if (name == list_.relations[i].name) return &list_.relations[i];
        if (list_.relationCount == kMaxSpreadingRelations) {
            if (std::find(droppedNames_.begin(), droppedNames_.end(), name) == droppedNames_.end())
                droppedNames_.emplace_back(name);
            return nullptr;
        }
        SpreadingRelation& r = list_.relations[list_.relationCount++];
        copyField(r.name, name);
        r.rowCount = 0;
        return &r;
    }

    SpreadingRelationList& list_;
    std::vector<std::string> droppedNames_;
    int extraRows_[kMaxSpreadingRelations] = {};
};

}  // namespace

SpreadingRelationList& spreadingRelations() {
    return relationList;
}

void loadSpreadingRelations(WindowRef owner) {
    std::memset(&relationList, 0, sizeof relationList);
    const std::wstring caption = widen(kCaption);
    std::wstring path;
    if (!joinPathOrWarn(path, dataFolders().programFolder, L"parameter.lst", owner, caption)) return;
    ScopedFile file(platform().openFile(path, "rb"));
    if (!file) return;

    Loader loader(relationList);
    LineReader reader(file.get());
    std::string_view line;
    while (reader.next(line)) loader.readLine(line.substr(0, line.find('\0')));
    file.close();

    if (loader.namesFound() > 0)
        platform().warn(owner, caption, widen(format(kOverCapacity, loader.namesFound(), kMaxSpreadingRelations)));
    if (loader.mostRowsFound() > 0)
        platform().warn(owner, caption, widen(format(kOverCapacity, loader.mostRowsFound(), kMaxSectorRows)));
}

}  // namespace vornel
