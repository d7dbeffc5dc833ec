// The plain child window that stands in for a browser: it shows the web
// view's number, its current address (also its window text, for probes) and
// its last events, so a screenshot tells what happened.
#pragma once

#include <windows.h>

#include "edgeview_abi.h"

namespace orvanta::standin {

// Null when the options' parent is not a window.
HWND CreateViewWindow(const edgeview::WebViewOptions* options, edgeview::Handle view);
void MoveViewWindow(HWND window, const edgeview::Bounds& bounds);
void RefreshViewWindow(HWND window);

}  // namespace orvanta::standin
