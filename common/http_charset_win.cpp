// Body charsets through the Windows code-page functions.
#include <windows.h>

#include "codepage.h"
#include "http_charset.h"

namespace orvanta {

bool DecodeToGbk(unsigned codePage, std::string_view bytes, std::string& gbk) {
  gbk.clear();
  if (!IsValidCodePage(codePage)) return false;
  if (bytes.empty()) return true;
  const int size = static_cast<int>(bytes.size());
  // Without MB_ERR_INVALID_CHARS a malformed sequence becomes U+FFFD, which
  // GBK turns into "?", as on the native side.
  const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (needed <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  if (MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), needed) != needed) return false;
  gbk = FromWide(wide);
  return true;
}

}  // namespace orvanta
