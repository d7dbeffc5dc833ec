// Finds the message box another process shows, reads it and presses OK: the
// fatal-stop test's view of the box, from outside as a user would see it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace orvanta::testing {

struct SeenMessageBox {
  std::wstring title;
  std::wstring text;
};

// Waits up to 20 s for a message box of `process_id`; none when it never came.
std::optional<SeenMessageBox> AnswerMessageBox(DWORD process_id);

}  // namespace orvanta::testing
