#include "contour_builder.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace gridcontour {

ContourBuilder::ContourBuilder(long long columns, std::vector<double> levels, long long pointLimit)
    : columns_(columns), levels_(std::move(levels)), pointLimit_(pointLimit), levelPoints_(levels_.size()) {}

void ContourBuilder::addRow(const std::vector<double>& depths) {
    if (static_cast<long long>(depths.size()) != columns_) throw std::logic_error("row of the wrong width");
    if (row_ >= 0) {
        aboveCursor_ = 0;
        belowEnds_.clear();
        leftEnds_.clear();
        for (long long c = 0; c + 1 < columns_; ++c) {
            leftCursor_ = 0;
            rightEnds_.clear();
            const auto i = static_cast<std::size_t>(c);
            contourCell(c, previous_[i], previous_[i + 1], depths[i + 1], depths[i]);
            leftEnds_.swap(rightEnds_);
        }
        aboveEnds_.swap(belowEnds_);
    }
    previous_ = depths;
    ++row_;
}

void ContourBuilder::contourCell(long long column, double topLeft, double topRight, double bottomRight,
                                 double bottomLeft) {
    const double corners[4] = {topLeft, topRight, bottomRight, bottomLeft};
    // A cell with a NODATA corner carries no contour (NaN fails every comparison).
    const double low = std::min({topLeft, topRight, bottomRight, bottomLeft});
    const double high = std::max({topLeft, topRight, bottomRight, bottomLeft});
    if (std::isnan(topLeft + topRight + bottomRight + bottomLeft)) return;
    // The levels that some corner reaches (≥) and some corner does not (<).
    auto level = std::upper_bound(levels_.begin(), levels_.end(), low);
    for (; level != levels_.end() && *level <= high; ++level) {
        const double value = *level;
        const auto k = static_cast<std::uint32_t>(level - levels_.begin());
        const int deep = (topLeft >= value ? 8 : 0) | (topRight >= value ? 4 : 0) | (bottomRight >= value ? 2 : 0) |
                         (bottomLeft >= value ? 1 : 0);
        // Saddles: the cell's mean decides whether the deep corners connect
        // through the centre (mean at or below the level) or stand apart.
        const bool centreDeep = (topLeft + topRight + bottomRight + bottomLeft) / 4 >= value;
        switch (deep) {
            case 1: case 14: addSegment(column, k, kLeft, kBottom, corners); break;
            case 2: case 13: addSegment(column, k, kBottom, kRight, corners); break;
            case 3: case 12: addSegment(column, k, kLeft, kRight, corners); break;
            case 4: case 11: addSegment(column, k, kTop, kRight, corners); break;
            case 6: case 9: addSegment(column, k, kTop, kBottom, corners); break;
            case 7: case 8: addSegment(column, k, kTop, kLeft, corners); break;
            case 5:    // top right and bottom left deep
            case 10:   // top left and bottom right deep
                // The lines cut off the corners that do not connect: the
                // shallow ones when the deep ones connect, else the deep ones.
                if ((deep == 5) == centreDeep) {
                    addSegment(column, k, kTop, kLeft, corners);
                    addSegment(column, k, kBottom, kRight, corners);
                } else {
                    addSegment(column, k, kTop, kRight, corners);
                    addSegment(column, k, kLeft, kBottom, corners);
                }
                break;
            default: break;  // 0 and 15 cannot occur for a level within (low, high]
        }
    }
}

GridPoint ContourBuilder::crossing(long long column, Edge edge, double level, const double corners[4]) const {
    // Each edge is interpolated in one fixed direction (left to right, top to
    // bottom), so the point is the same whichever cell computes it.
    const double c = static_cast<double>(column), r = static_cast<double>(row_);
    const auto along = [level](double from, double to) { return (level - from) / (to - from); };
    switch (edge) {
        case kTop: return {c + along(corners[0], corners[1]), r};
        case kBottom: return {c + along(corners[3], corners[2]), r + 1};
        case kLeft: return {c, r + along(corners[0], corners[3])};
        case kRight: return {c + 1, r + along(corners[1], corners[2])};
    }
    return {c, r};
}

bool ContourBuilder::takeEnd(long long column, std::uint32_t level, Edge edge, EndRef& end) {
    // Cells and levels are visited in order, and so were the cells above and
    // to the left when they left these ends: a cursor finds each in turn.
    if (edge == kTop) {
        while (aboveCursor_ < aboveEnds_.size() &&
               (aboveEnds_[aboveCursor_].column < column ||
                (aboveEnds_[aboveCursor_].column == column && aboveEnds_[aboveCursor_].level < level)))
            ++aboveCursor_;
        if (aboveCursor_ < aboveEnds_.size() && aboveEnds_[aboveCursor_].column == column &&
            aboveEnds_[aboveCursor_].level == level) {
            end = aboveEnds_[aboveCursor_++].end;
            return true;
        }
        return false;
    }
    if (edge == kLeft) {
        while (leftCursor_ < leftEnds_.size() && leftEnds_[leftCursor_].level < level) ++leftCursor_;
        if (leftCursor_ < leftEnds_.size() && leftEnds_[leftCursor_].level == level) {
            end = leftEnds_[leftCursor_++].end;
            return true;
        }
        return false;
    }
    return false;  // bottom and right edges are met first from this cell
}

void ContourBuilder::giveEnd(long long column, std::uint32_t level, Edge edge, EndRef end) {
    if (edge == kBottom) belowEnds_.push_back({column, level, end});
    else if (edge == kRight) rightEnds_.push_back({level, end});
    // An end on the top or left edge that nobody left there borders a cell
    // without contours (the grid's edge or NODATA): the line stops there.
}

ContourBuilder::EndRef ContourBuilder::resolve(EndRef end) const {
    while (chains_[end.chain].forward >= 0) {
        const Chain& merged = chains_[end.chain];
        end = {static_cast<std::uint32_t>(merged.forward), merged.forwardSide};
    }
    return end;
}

void ContourBuilder::push(EndRef end, const GridPoint& point) {
    Chain& chain = chains_[end.chain];
    (end.side == kFront ? chain.front : chain.back).push_back(point);
}

const GridPoint& ContourBuilder::endPoint(EndRef end) const {
    const Chain& chain = chains_[end.chain];
    if (end.side == kFront) return chain.front.empty() ? chain.back.front() : chain.front.back();
    return chain.back.empty() ? chain.front.front() : chain.back.back();
}

void ContourBuilder::count(std::uint32_t level, long long points) {
    points_ += points;
    levelPoints_[level] += points;
    if (!overLimit_ && points_ > pointLimit_) {
        // Too big to use: keep counting for the message, drop what was kept.
        overLimit_ = true;
        std::vector<Chain>().swap(chains_);
    }
}

void ContourBuilder::addSegment(long long column, std::uint32_t level, Edge from, Edge to, const double corners[4]) {
    if (overLimit_) {
        count(level, 1);
        return;
    }
    EndRef fromEnd{}, toEnd{};
    const bool hasFrom = takeEnd(column, level, from, fromEnd);
    const bool hasTo = takeEnd(column, level, to, toEnd);
    if (hasFrom && hasTo) {
        join(resolve(fromEnd), resolve(toEnd));
        return;
    }
    if (!hasFrom && !hasTo) {
        Chain chain;
        chain.level = level;
        chain.back = {crossing(column, from, levels_[level], corners), crossing(column, to, levels_[level], corners)};
        const auto id = static_cast<std::uint32_t>(chains_.size());
        chains_.push_back(std::move(chain));
        giveEnd(column, level, from, {id, kFront});
        giveEnd(column, level, to, {id, kBack});
        count(level, 2);
        return;
    }
    // One end continues a line: the other crossing extends it.
    const Edge open = hasFrom ? to : from;
    const EndRef end = resolve(hasFrom ? fromEnd : toEnd);
    push(end, crossing(column, open, levels_[level], corners));
    giveEnd(column, level, open, end);
    count(level, 1);
}

void ContourBuilder::join(EndRef a, EndRef b) {
    if (a.chain == b.chain) {
        // The line meets itself: a closed contour, ending on its first point.
        Chain& chain = chains_[a.chain];
        const GridPoint first = endPoint({a.chain, kFront});
        chain.back.push_back(first);
        count(chain.level, 1);
        return;
    }
    // Move the shorter line onto the longer one's end, point by point from
    // the joined end outwards.
    if (chains_[a.chain].size() < chains_[b.chain].size()) std::swap(a, b);
    Chain& donor = chains_[b.chain];
    Chain& receiver = chains_[a.chain];
    auto& target = a.side == kFront ? receiver.front : receiver.back;
    // The donor's points from its joined end outwards: its points are
    // reverse(front) followed by back.
    if (b.side == kFront) {
        target.insert(target.end(), donor.front.rbegin(), donor.front.rend());
        target.insert(target.end(), donor.back.begin(), donor.back.end());
    } else {
        target.insert(target.end(), donor.back.rbegin(), donor.back.rend());
        target.insert(target.end(), donor.front.begin(), donor.front.end());
    }
    std::vector<GridPoint>().swap(donor.front);
    std::vector<GridPoint>().swap(donor.back);
    donor.forward = static_cast<std::int32_t>(a.chain);
    donor.forwardSide = a.side;
}

std::vector<ContourLine> ContourBuilder::finish() {
    std::vector<ContourLine> lines;
    if (overLimit_) return lines;
    for (Chain& chain : chains_) {
        if (chain.forward >= 0) continue;
        ContourLine line;
        line.level = chain.level;
        line.points.reserve(chain.size());
        for (auto it = chain.front.rbegin(); it != chain.front.rend(); ++it)
            if (line.points.empty() || !(line.points.back() == *it)) line.points.push_back(*it);
        for (const GridPoint& point : chain.back)
            if (line.points.empty() || !(line.points.back() == point)) line.points.push_back(point);
        std::vector<GridPoint>().swap(chain.front);
        std::vector<GridPoint>().swap(chain.back);
        // Nodes exactly on a level can leave a line of one repeated point.
        if (line.points.size() >= 2) lines.push_back(std::move(line));
    }
    std::stable_sort(lines.begin(), lines.end(), [](const ContourLine& a, const ContourLine& b) { return a.level < b.level; });
    chains_.clear();
    return lines;
}

}  // namespace gridcontour
