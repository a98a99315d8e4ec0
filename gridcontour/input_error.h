// The one way bad input leaves the converter: a message for the user and the
// line of the grid file it concerns (0 when it concerns no line).
#pragma once

#include <stdexcept>
#include <string>

namespace gridcontour {

class InputError : public std::runtime_error {
public:
    InputError(std::string message, long long line = 0) : std::runtime_error(std::move(message)), line_(line) {}
    long long line() const { return line_; }

private:
    long long line_;
};

}  // namespace gridcontour
