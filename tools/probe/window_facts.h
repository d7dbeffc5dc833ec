// What the tests see of a window: texts, places, states, as JSON objects.
#pragma once

#include <windows.h>

#include <string>

#include "json_line.h"
#include "process_table.h"

namespace probe {

// The text a control holds (an edit box's content, a button's label),
// asked from the owning thread, so that it is current; falls back to the
// stored caption when that thread does not answer in time.
std::wstring WindowText(HWND window);

// {"x","y","width","height"}
JsonObject RectJson(const RECT& rect);

// A top-level window: handle, process, caption, class, place and states.
JsonObject TopLevelFacts(HWND window, const ProcessTable& processes);

// A control under `top`, placed relative to the client area of `top`.
JsonObject ControlFacts(HWND top, HWND control);

}  // namespace probe
