#include "estimation/result.h"

namespace vornel {

namespace {
EstimationResult result;
}

EstimationResult& estimationResult() {
    return result;
}

void resetEstimationResult() {
    result = EstimationResult{};
}

}  // namespace vornel
