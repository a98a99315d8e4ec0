#include "estimation/estimation_windows.h"

namespace vornel {

namespace {

EstimationWindows windows;

}  // namespace

EstimationWindows& estimationWindows() {
    return windows;
}

void resetEstimationWindows() {
    windows = EstimationWindows{};
}

}  // namespace vornel
