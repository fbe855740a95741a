#pragma once

#include <optional>
#include <vector>

namespace drawgen {

// A dash along one axis, both ends included.
struct Run {
    int first;
    int last;
};

// Centre line dashes from first to last: long dashes of 30 to 45 pixels ending exactly at both ends, a
// 7-pixel dash between each two, 5-pixel gaps. With a crossing, the short dash there is centred on it.
std::vector<Run> centreLineRuns(int first, int last, std::optional<int> crossing);

// Hidden edge dashes: 7 on, 2 off, starting with a dash at first.
std::vector<Run> hiddenRuns(int first, int last);

inline constexpr int hiddenDash = 7;
inline constexpr int hiddenGap = 2;

} // namespace drawgen
