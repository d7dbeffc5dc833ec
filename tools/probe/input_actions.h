// Acting on another program's windows the way its user would. Every action
// is posted to the window's thread and the probe returns at once: a click
// may open a modal message box that only returns when answered, so tests
// wait for the effect instead of for the action.
#pragma once

#include <windows.h>

#include <string>

namespace probe {

// A user cannot reach a hidden or disabled control, nor one on a window
// disabled by a modal dialog; throws ActionError in those cases.
void RequireReachable(HWND control);

void Click(HWND button);
// Replaces the whole text at once (WM_SETTEXT), as a program would.
void SetText(HWND control, const std::wstring& text);
// One WM_CHAR per UTF-16 unit, as typing would deliver them.
void Type(HWND control, const std::wstring& text);
void PressEnter(HWND control);
void Close(HWND window);

// Placement and show state, changed by the window's own thread.
void Place(HWND window, int x, int y, const int* width, const int* height);
// "show", "hide", "minimize", "maximize", "restore" or "showna".
void ChangeShowState(HWND window, const std::wstring& state);

}  // namespace probe
