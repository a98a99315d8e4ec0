#include "platform/platform.h"

namespace vornel {

namespace {
Platform* current = nullptr;
}

Platform& platform() {
    return current ? *current : systemPlatform();
}

Platform* setPlatform(Platform* p) {
    Platform* previous = current;
    current = p;
    return previous;
}

std::optional<std::string> exactCp932(std::wstring_view wide) {
    Platform& p = platform();
    std::string bytes = p.toCp932(wide);
    if (p.fromCp932(bytes) != wide) return std::nullopt;
    return bytes;
}

}  // namespace vornel
