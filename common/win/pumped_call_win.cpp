#include <process.h>
#include <windows.h>

#include "win/pumped_call.h"
#include "win/unique_handle.h"

namespace orvanta {
namespace {

using UniqueThread = UniqueHandle<HANDLE, CloseHandle>;

unsigned __stdcall RunWork(void* work) {
  (*static_cast<const std::function<void()>*>(work))();
  return 0;
}

// Dispatches every message waiting in the thread's queue; remembers a
// WM_QUIT instead of acting on it.
void DispatchPending(bool& quit, WPARAM& exitCode) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      exitCode = message.wParam;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

void RunPumpingMessages(const std::function<void()>& work) {
  // _beginthreadex rather than CreateThread: the worker uses the C runtime.
  UniqueThread thread(reinterpret_cast<HANDLE>(
      _beginthreadex(nullptr, 0, RunWork, const_cast<std::function<void()>*>(&work), 0, nullptr)));
  if (!thread) {
    work();
    return;
  }
  bool quit = false;
  WPARAM exitCode = 0;
  const HANDLE handles[] = {thread.get()};
  for (;;) {
    // MWMO_INPUTAVAILABLE: also wake for messages that arrived before this
    // wait began but were not yet removed.
    const DWORD woken = MsgWaitForMultipleObjectsEx(1, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woken == WAIT_OBJECT_0 + 1) {
      DispatchPending(quit, exitCode);
      continue;
    }
    if (woken != WAIT_OBJECT_0) WaitForSingleObject(thread.get(), INFINITE);  // the wait itself failed
    break;
  }
  if (quit) PostQuitMessage(static_cast<int>(exitCode));
}

}  // namespace orvanta
