#include "platform/platform.h"

namespace vornel {

namespace {
Platform* current = nullptr;
}

Platform& platform() { return current ? *current : systemPlatform(); }

Platform* setPlatform(Platform* p) {
    Platform* previous = current;
    current = p;
    return previous;
}

}  // namespace vornel
