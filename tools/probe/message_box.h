// Message boxes and other dialog-class ("#32770") windows: what they say,
// which buttons they offer, and answering them the way a user would.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "json_line.h"
#include "process_table.h"

namespace probe {

// Title, message text (the static control with id 0xFFFF that MessageBox
// uses; null when there is none) and the visible buttons with their ids.
JsonObject DialogFacts(HWND dialog, const ProcessTable& processes);

// The visible button with this id, or whose text (without the "&" that
// marks an access key) equals `text`, ignoring case. Throws ActionError
// naming the buttons there are when none matches.
HWND FindDialogButton(HWND dialog, std::optional<int> id, const std::optional<std::wstring>& text);

// The standard name of a dialog command id ("IDYES"), or "" for others.
const char* StandardIdName(int id);
// The id of a standard name, e.g. "IDNO" -> 7.
std::optional<int> StandardIdByName(const std::wstring& name);

}  // namespace probe
