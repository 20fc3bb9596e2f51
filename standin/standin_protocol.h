// Messages that let a test wait until the stand-in editor has worked through
// everything posted to it before: posted messages of one thread are taken in
// the order they were posted, so once a marker posted to the frame has been
// seen, every Left-arrow press posted to the view before it has been handled.
#pragma once

#include <windows.h>

// Posted to the frame with a marker number in wParam.
constexpr UINT kStandinMarkerMessage = WM_APP + 1;
// Sent to the frame: returns the last marker number handled.
constexpr UINT kStandinLastMarkerMessage = WM_APP + 2;
