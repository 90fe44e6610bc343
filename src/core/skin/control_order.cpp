#include "core/skin/control_order.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace kw::skin {
namespace {

struct Span {
    int begin = 0;
    int end = 0; // one past
};

Span verticalSpan(const SkinRect& r) {
    return {r.y, r.y + r.height};
}
Span horizontalSpan(const SkinRect& r) {
    return {r.x, r.x + r.width};
}

struct Cut {
    int width = 0;              // of the empty band; 0: no cut that way
    std::size_t firstAfter = 0; // in `items` sorted along the axis
};

// The widest empty band across `items` along one axis; sorts `items` along it.
template <typename SpanOf>
Cut widestGap(std::span<const SkinRect> rects, std::vector<std::size_t>& items, SpanOf spanOf) {
    std::stable_sort(items.begin(), items.end(), [&](std::size_t a, std::size_t b) {
        return spanOf(rects[a]).begin < spanOf(rects[b]).begin;
    });
    Cut cut;
    int reach = spanOf(rects[items.front()]).end;
    for (std::size_t i = 1; i < items.size(); ++i) {
        const Span s = spanOf(rects[items[i]]);
        if (s.begin - reach > cut.width) {
            cut = {s.begin - reach, i};
        }
        reach = std::max(reach, s.end);
    }
    return cut;
}

// Whether some of the rectangles stand above others (no single row).
bool hasRows(std::span<const SkinRect> rects, std::span<const std::size_t> items) {
    int lowestTop = std::numeric_limits<int>::min();
    int highestBottom = std::numeric_limits<int>::max();
    for (std::size_t item : items) {
        lowestTop = std::max(lowestTop, rects[item].y);
        highestBottom = std::min(highestBottom, rects[item].y + rects[item].height);
    }
    return highestBottom <= lowestTop;
}

void order(std::span<const SkinRect> rects, std::vector<std::size_t> items,
           std::vector<std::size_t>& out) {
    if (items.size() <= 1) {
        out.insert(out.end(), items.begin(), items.end());
        return;
    }
    // One cut at a time at the widest band, so that a gap between two cards
    // wins over the narrower gaps between rows that happen to line up across
    // them. A cut down the middle only separates columns, each more than one
    // row: a wide gap inside a single row (a title bar) is no column break.
    std::vector<std::size_t> byX = items;
    Cut across = widestGap(rects, byX, horizontalSpan);
    const auto middleX = byX.begin() + static_cast<std::ptrdiff_t>(across.firstAfter);
    if (across.width > 0 &&
        !(hasRows(rects, {byX.begin(), middleX}) && hasRows(rects, {middleX, byX.end()}))) {
        across = {};
    }
    const Cut down = widestGap(rects, items, verticalSpan);
    if (down.width == 0 && across.width == 0) {
        // Overlapping on both axes: plain top-to-bottom, left-to-right.
        std::sort(items.begin(), items.end(), [&](std::size_t a, std::size_t b) {
            return std::pair(rects[a].y, rects[a].x) < std::pair(rects[b].y, rects[b].x);
        });
        out.insert(out.end(), items.begin(), items.end());
        return;
    }
    const bool horizontalCut = down.width >= across.width;
    std::vector<std::size_t>& sorted = horizontalCut ? items : byX;
    const std::size_t split = horizontalCut ? down.firstAfter : across.firstAfter;
    const auto middle = sorted.begin() + static_cast<std::ptrdiff_t>(split);
    order(rects, std::vector<std::size_t>(sorted.begin(), middle), out);
    order(rects, std::vector<std::size_t>(middle, sorted.end()), out);
}

bool overlaps(Span a, Span b) {
    return a.begin < b.end && b.begin < a.end;
}

// Twice the centre, so that halves stay whole numbers.
int centre2(Span s) {
    return s.begin + s.end;
}

} // namespace

std::vector<std::size_t> ReadingOrder(std::span<const SkinRect> rects) {
    std::vector<std::size_t> items(rects.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i] = i;
    }
    std::vector<std::size_t> out;
    out.reserve(rects.size());
    order(rects, std::move(items), out);
    return out;
}

int NeighbourInDirection(std::span<const SkinRect> rects, std::size_t from, Direction direction) {
    if (from >= rects.size()) {
        return -1;
    }
    const bool horizontal = direction == Direction::Left || direction == Direction::Right;
    const bool forward = direction == Direction::Right || direction == Direction::Down;
    const auto along = [&](const SkinRect& r) {
        return horizontal ? horizontalSpan(r) : verticalSpan(r);
    };
    const auto across = [&](const SkinRect& r) {
        return horizontal ? verticalSpan(r) : horizontalSpan(r);
    };
    const SkinRect& start = rects[from];
    // Distance along the direction between the centres; <= 0 is not that way.
    const auto ahead = [&](const SkinRect& r) {
        const int d = centre2(along(r)) - centre2(along(start));
        return forward ? d : -d;
    };
    const auto candidate = [&](std::size_t i) {
        const SkinRect& r = rects[i];
        return i != from && r.width > 0 && r.height > 0 && ahead(r) > 0 &&
               (!horizontal || overlaps(across(r), across(start)));
    };

    // Up and down: the nearest row that way is where the move lands.
    int rowDistance = std::numeric_limits<int>::max();
    if (!horizontal) {
        for (std::size_t i = 0; i < rects.size(); ++i) {
            if (candidate(i)) {
                rowDistance = std::min(rowDistance, ahead(rects[i]));
            }
        }
    }
    int best = -1;
    std::pair<int, int> bestScore{std::numeric_limits<int>::max(), 0};
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (!candidate(i)) {
            continue;
        }
        const SkinRect& r = rects[i];
        const int offset = std::abs(centre2(across(r)) - centre2(across(start)));
        if (!horizontal && ahead(r) > rowDistance + along(start).end - along(start).begin) {
            continue; // a row further on
        }
        const std::pair<int, int> score =
            horizontal ? std::pair(ahead(r), offset) : std::pair(offset, ahead(r));
        if (score < bestScore) {
            bestScore = score;
            best = static_cast<int>(i);
        }
    }
    return best;
}

} // namespace kw::skin
