// How tests and the demo drive the stand-in from outside: command files in
// the control folder, picked up by a timer of a message-only window on the
// client's UI thread, so every event they cause runs where real browser
// events run. The same window delivers the posted WebViewCreated events.
// The command language is described in README.md.
#pragma once

#include <windows.h>

#include "edgeview_abi.h"

namespace orvanta::standin {

inline constexpr UINT kDeliverWebViewCreated = WM_APP + 1;

// Once, on the calling thread (the client's UI thread).
void StartControlChannel();
void PostToControl(UINT message, edgeview::Handle view);

}  // namespace orvanta::standin
