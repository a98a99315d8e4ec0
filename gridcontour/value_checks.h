// What a grid's values say about how they were labelled, gathered node by
// node while the grid is contoured and judged before anything is written: a
// NODATA value left in the data (a 9,999 m cliff along the coast), and values
// whose sign says the option --depths was given the wrong way round (the land
// contoured as sea).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace gridcontour {

// The smallest (or largest) value, how many nodes hold exactly it, and the
// nearest other value: enough to tell one sentinel value from the data.
struct ExtremeValue {
    double value = 0;
    long long count = 0;  // 0: no valid node yet
    double next = 0;      // the nearest value beyond it; meaningless while hasNext is false
    bool hasNext = false;
};

class ValueSurvey {
public:
    explicit ValueSurvey(bool depths) : depths_(depths) {}

    // One row of values as the file gives them (NaN: no data).
    void add(const std::vector<double>& row);

    long long valid() const { return sea_ + land_ + zero_; }
    long long noData() const { return noData_; }
    long long sea() const { return sea_; }    // below the sea as the option reads them
    long long land() const { return land_; }  // above it
    const ExtremeValue& lowest() const { return low_; }
    const ExtremeValue& highest() const { return high_; }

    // The message refusing a value that is no sea or land, when there is one.
    std::optional<std::string> noDataLeftIn() const;
    // The message refusing a grid that is mostly land as the option reads it.
    std::optional<std::string> signLooksWrong() const;

private:
    bool depths_;
    long long sea_ = 0, land_ = 0, zero_ = 0, noData_ = 0;
    ExtremeValue low_, high_;
};

// No sea is deeper than this, no land higher (metres): a value beyond is
// not a measurement.
inline constexpr double kDeepestSea = 11'000;
inline constexpr double kHighestLand = 9'000;
// A sentinel stands this far (metres) beyond every other value of the grid;
// neighbouring nodes of a real seabed or coast never differ by as much.
inline constexpr double kSentinelGap = 1'000;

}  // namespace gridcontour
