#include "placement.h"

#include <algorithm>

namespace {

// lo wins over hi when the span is larger than the room: the title bar and
// the left edge are what must stay reachable.
int64_t Clamp(int64_t v, int64_t lo, int64_t hi) { return std::max(lo, std::min(v, hi)); }

}  // namespace

Point KeepOnScreen(Point wanted, int32_t width, int32_t height, int32_t caretY,
                   const ScreenRect& work) {
    int64_t top = wanted.y;
    if (top + height > work.bottom) top = int64_t{caretY} - height;
    top = Clamp(top, work.top, int64_t{work.bottom} - height);
    int64_t left = Clamp(wanted.x, work.left, int64_t{work.right} - width);
    return Point{static_cast<int32_t>(left), static_cast<int32_t>(top)};
}
