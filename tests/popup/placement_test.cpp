#include "popup/placement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

const ScreenRect kScreen{0, 0, 1280, 1024};
const ScreenRect kAboveTaskbar{0, 0, 1280, 984};
const ScreenRect kRightMonitor{1280, 0, 2560, 1000};
const ScreenRect kLeftMonitor{-1920, -200, 0, 880};

struct PlacementCase {
    const char* name;
    Point wanted;
    int32_t caretY;
    ScreenRect work;
    Point placed;
};

// A 215 x 45 popup, asked 15 pixels below the caret unless said otherwise.
const PlacementCase kCases[] = {
    {"fits below the caret", {100, 115}, 100, kScreen, {100, 115}},
    {"touches the bottom edge exactly", {100, 979}, 964, kScreen, {100, 979}},
    {"one pixel too low goes above the caret", {100, 980}, 965, kScreen, {100, 920}},
    {"the taskbar's edge counts, not the screen's", {100, 950}, 935, kAboveTaskbar, {100, 890}},
    {"past the right edge shifts left", {1200, 115}, 100, kScreen, {1065, 115}},
    {"bottom right corner: above and left", {1200, 1000}, 985, kScreen, {1065, 940}},
    {"left of the work area comes in", {-50, 115}, 100, kScreen, {0, 115}},
    {"settings offset above the work area comes down", {100, -30}, 0, kScreen, {100, 0}},
    {"second monitor on the right", {2500, 990}, 975, kRightMonitor, {2345, 930}},
    {"monitor left of the primary, negative coordinates", {-100, 870}, 855, kLeftMonitor, {-215, 810}},
    {"caret far off every screen lands on the nearest", {99999, 99999}, 99984, kScreen, {1065, 979}},
    {"no room above either: the top of the work area", {10, 15}, 0, {0, 0, 1280, 50}, {10, 0}},
};

TEST(KeepOnScreen, PlacesThePopupInsideTheWorkArea) {
    for (const PlacementCase& c : kCases) {
        Point p = KeepOnScreen(c.wanted, 215, 45, c.caretY, c.work);
        EXPECT_EQ(p.x, c.placed.x) << c.name;
        EXPECT_EQ(p.y, c.placed.y) << c.name;
    }
}

TEST(KeepOnScreen, PopupLargerThanTheWorkAreaKeepsItsTopLeftInside) {
    Point p = KeepOnScreen({500, 500}, 3000, 2000, 485, kScreen);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

TEST(KeepOnScreen, ExtremeRequestsDoNotOverflow) {
    const int32_t big = std::numeric_limits<int32_t>::max();
    const int32_t small = std::numeric_limits<int32_t>::min();
    Point p = KeepOnScreen({big, big}, 215, 45, big, kScreen);
    EXPECT_EQ(p.x, 1065);
    EXPECT_EQ(p.y, 979);
    p = KeepOnScreen({small, small}, 215, 45, small, kScreen);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

}  // namespace
