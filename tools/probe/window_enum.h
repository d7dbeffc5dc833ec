// Enumerating windows: the top-level windows of the probe's desktop (the
// prefix's virtual desktop, which the programs under test share) and the
// descendants of one window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "process_table.h"

namespace probe {

std::vector<HWND> TopLevelWindows();
// All descendants, depth first: controls inside a group box or a child
// window come right after their parent.
std::vector<HWND> Descendants(HWND window);

DWORD ProcessOf(HWND window);
std::wstring ClassOf(HWND window);

// Top-level windows of the processes the filter keeps, optionally only of
// one class.
std::vector<HWND> FindTopLevel(const ProcessFilter& filter, const ProcessTable& processes,
                               const std::wstring& class_name = L"");

}  // namespace probe
