// Blocking work that leaves the calling thread's windows alive.
#pragma once

#include <functional>

namespace orvanta {

// Runs `work` on a worker thread and, until it ends, dispatches the window
// messages of the calling thread, so that its windows repaint and its timers
// tick. Returns when `work` has returned. A WM_QUIT that arrives meanwhile is
// posted again afterwards, for the caller's own message loop to see. `work`
// must not throw and must not touch the calling thread's windows directly.
// When no thread can be started, `work` runs on the calling thread.
void RunPumpingMessages(const std::function<void()>& work);

}  // namespace orvanta
