#include "dashes.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace drawgen {

namespace {

constexpr int shortDash = 7;
constexpr int gap = 5;
constexpr int longMin = 30;
constexpr int longMax = 45;

// The lengths of n long dashes sharing total, spread so that they differ by at most one pixel.
std::vector<int> spread(int total, int n)
{
    std::vector<int> lengths;
    lengths.reserve(static_cast<std::size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i)
        lengths.push_back((total * (i + 1)) / n - (total * i) / n);
    return lengths;
}

// Lays out `length` pixels going away from `start` in direction `step` (+1 or -1). With leadingGap the
// stretch begins with a gap (it follows a short dash); it always ends with a long dash on its last pixel.
std::vector<Run> layStretch(int start, int length, int step, bool leadingGap)
{
    for (int n = 1; n <= length; ++n) {
        int fixed = (n - 1) * (shortDash + 2 * gap) + (leadingGap ? gap : 0);
        int total = length - fixed;
        if (total > n * longMax)
            continue;
        if (total < n * longMin)
            break;
        std::vector<Run> runs;
        int pos = start + (leadingGap ? gap * step : 0);
        auto emit = [&](int len) {
            int a = pos;
            int b = pos + (len - 1) * step;
            runs.push_back({ std::min(a, b), std::max(a, b) });
            pos = b + step;
        };
        std::vector<int> longs = spread(total, n);
        for (int i = 0; i < n; ++i) {
            if (i > 0) {
                pos += gap * step;
                emit(shortDash);
                pos += gap * step;
            }
            emit(longs[std::size_t(i)]);
        }
        return runs;
    }
    throw std::invalid_argument("no centre line pattern fits " + std::to_string(length) + " pixels");
}

} // namespace

std::vector<Run> centreLineRuns(int first, int last, std::optional<int> crossing)
{
    if (last < first)
        std::swap(first, last);
    if (!crossing)
        return layStretch(first, last - first + 1, +1, false);
    int c = *crossing;
    Run middle { c - shortDash / 2, c + shortDash / 2 };
    std::vector<Run> runs = layStretch(middle.first - 1, middle.first - first, -1, true);
    runs.push_back(middle);
    std::vector<Run> right = layStretch(middle.last + 1, last - middle.last, +1, true);
    runs.insert(runs.end(), right.begin(), right.end());
    std::sort(runs.begin(), runs.end(), [](Run a, Run b) { return a.first < b.first; });
    return runs;
}

std::vector<Run> hiddenRuns(int first, int last)
{
    int step = first <= last ? 1 : -1;
    std::vector<Run> runs;
    for (int pos = first; step * (last - pos) >= 0; pos += (hiddenDash + hiddenGap) * step) {
        int end = pos + (hiddenDash - 1) * step;
        if (step * (end - last) > 0)
            end = last;
        runs.push_back({ std::min(pos, end), std::max(pos, end) });
    }
    return runs;
}

} // namespace drawgen
