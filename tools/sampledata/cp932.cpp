// The sample data uses a few dozen kanji and kana, so a table keeps the
// generator free of the host's iconv and locale and its output the same on
// every machine. To add a name, add its characters; the bytes come from
//   printf '字' | iconv -f UTF-8 -t CP932 | xxd
#include "cp932.h"

#include <stdexcept>

namespace sampledata {
namespace {

struct Entry {
    const char* utf8;
    const char* cp932;
};

// Sorted by UTF-8 bytes only for reading; lookup is linear.
constexpr Entry kTable[] = {
    {"シ", "\x83\x56"}, {"ナ", "\x83\x69"}, {"中", "\x92\x86"}, {"九", "\x8B\xE3"}, {"付", "\x95\x74"},
    {"児", "\x8E\x99"}, {"八", "\x94\xAA"}, {"北", "\x96\x6B"}, {"南", "\x93\xEC"}, {"博", "\x94\x8E"},
    {"多", "\x91\xBD"}, {"太", "\x91\xBE"}, {"小", "\x8F\xAC"}, {"岸", "\x8A\xDD"}, {"島", "\x93\x87"},
    {"州", "\x8F\x42"}, {"平", "\x95\xBD"}, {"戸", "\x8C\xCB"}, {"新", "\x90\x56"}, {"日", "\x93\xFA"},
    {"本", "\x96\x7B"}, {"東", "\x93\x8C"}, {"樽", "\x92\x4D"}, {"水", "\x90\x85"}, {"沖", "\x89\xAB"},
    {"沿", "\x89\x88"}, {"洋", "\x97\x6D"}, {"海", "\x8A\x43"}, {"清", "\x90\xB4"}, {"港", "\x8D\x60"},
    {"湾", "\x98\x70"}, {"潟", "\x8A\x83"}, {"灘", "\x93\xE5"}, {"牧", "\x96\x71"}, {"畿", "\x8B\x45"},
    {"神", "\x90\x5F"}, {"縄", "\x93\xEA"}, {"苫", "\x93\xCF"}, {"覇", "\x94\x65"}, {"近", "\x8B\xDF"},
    {"道", "\x93\xB9"}, {"那", "\x93\xDF"}, {"部", "\x95\x94"}, {"関", "\x8A\xD6"}, {"陸", "\x97\xA4"},
    {"鹿", "\x8E\xAD"},
};

std::size_t utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    throw std::runtime_error("toCp932: not UTF-8");
}

}  // namespace

std::string toCp932(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = utf8Length(static_cast<unsigned char>(utf8[i]));
        if (i + n > utf8.size()) throw std::runtime_error("toCp932: cut UTF-8 sequence");
        const std::string_view ch = utf8.substr(i, n);
        if (n == 1) {
            out += ch;
        } else {
            const Entry* found = nullptr;
            for (const Entry& e : kTable)
                if (ch == e.utf8) found = &e;
            if (!found) throw std::runtime_error("toCp932: add \"" + std::string(ch) + "\" to the table in cp932.cpp");
            out += found->cp932;
        }
        i += n;
    }
    return out;
}

}  // namespace sampledata
