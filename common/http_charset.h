// The character set of a response body. Pages are taken as GBK unless their
// head declares another charset in a meta tag; a body in another charset is
// decoded with it and handed on as GBK.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

// The charset a page declares within its first 1024 bytes, as written
// ("utf-8", "UTF-8"), or "" when it declares none. A meta tag broken across
// lines declares nothing.
std::string DeclaredCharset(std::string_view text);

// The Windows code page of a charset name (any letter case), or 0 for a name
// this table does not know. GBK and its aliases give 936.
unsigned CharsetCodePage(std::string_view name);

// The body as GBK text: the bytes up to the first zero byte, decoded from the
// declared charset when that is neither GBK nor unknown.
std::string BodyText(std::string_view bodyBytes);

// Decodes `bytes` of `codePage` into GBK (characters GBK lacks become "?");
// false when this system cannot convert that code page. The platform seam:
// MultiByteToWideChar on Windows, iconv natively.
bool DecodeToGbk(unsigned codePage, std::string_view bytes, std::string& gbk);

}  // namespace orvanta
