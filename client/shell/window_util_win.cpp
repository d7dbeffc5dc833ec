#include "window_util_win.h"

#include "codepage.h"

namespace orvanta {

std::wstring WindowTextWide(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string WindowText(HWND window) { return FromWide(WindowTextWide(window)); }

bool HasWindowClass(HWND window, std::wstring_view className) {
  wchar_t name[257];  // class names are at most 256 characters
  const int length = GetClassNameW(window, name, 257);
  return length > 0 && std::wstring_view(name, static_cast<std::size_t>(length)) == className;
}

}  // namespace orvanta
