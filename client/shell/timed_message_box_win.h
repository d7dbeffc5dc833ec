// A message box titled "友情提醒" that closes itself after five seconds,
// owned by the client's first visible top-level window.
#pragma once

#include <string_view>

namespace orvanta {

void TimedMessageBox(std::string_view text);

}  // namespace orvanta
