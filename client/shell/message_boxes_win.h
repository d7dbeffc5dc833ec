// The client's ordinary message boxes: title "信息：", no owner window, modal
// to all of the client's windows. Texts are GBK.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace orvanta {

void InfoBox(std::string_view text);
// True for OK.
bool AskOkCancel(std::string_view text);
// True for Yes.
bool AskYesNo(std::string_view text);
// An input box titled "请输入：" with one edit line preset with `text`; true
// for OK, with the entered text in `text`.
bool InputBox(std::string& text);

}  // namespace orvanta
