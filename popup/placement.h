// Where the popup goes on the screen: below the editor's caret as asked,
// unless that would put part of it outside the work area of the monitor that
// holds the caret; then above the caret and as far left as needed.
#pragma once

#include <cstdint>

#include "composer/operations.h"

struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// The top-left corner for a popup of width x height whose top-left was asked
// at wanted, caretY being the top of the caret it belongs under. The result
// lies within work whenever the popup fits into it; a popup larger than work
// keeps its top-left corner inside.
Point KeepOnScreen(Point wanted, int32_t width, int32_t height, int32_t caretY,
                   const ScreenRect& work);
