// Reading a large text file token by token or line by line through one
// buffer, counting lines for messages. A grid of 16 million values is read
// without a heap allocation per value.
#pragma once

#include <cstdio>
#include <string_view>
#include <vector>

namespace gridcontour {

class TextScanner {
public:
    explicit TextScanner(std::FILE* file);

    // The next run of characters that are not blanks, tabs, CRs or LFs.
    // False at the end of the file.
    bool nextToken(std::string_view& token);
    // The next line without its CR LF or LF. False at the end of the file.
    bool nextLine(std::string_view& line);
    // The line of the last token or line returned, from 1.
    long long line() const { return tokenLine_; }

private:
    bool refill();  // keeps the unread bytes; false when nothing more came in

    std::FILE* file_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0, end_ = 0;
    bool eof_ = false;
    long long currentLine_ = 1;
    long long tokenLine_ = 0;
};

}  // namespace gridcontour
