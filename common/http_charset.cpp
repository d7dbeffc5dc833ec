#include "http_charset.h"

#include <algorithm>

#include "regex_engine.h"

namespace orvanta {
namespace {

constexpr unsigned kGbkCodePage = 936;
constexpr unsigned kUtf8CodePage = 65001;

struct CharsetName {
  std::string_view name;
  unsigned codePage;
};

// The names pages use for the charsets that matter here, lower case.
constexpr CharsetName kCharsets[] = {
    {"gbk", 936},           {"gb2312", 936},        {"cp936", 936},         {"x-gbk", 936},
    {"utf-8", 65001},       {"utf8", 65001},        {"gb18030", 54936},     {"big5", 950},
    {"iso-8859-1", 28591},  {"latin1", 28591},      {"windows-1250", 1250}, {"windows-1251", 1251},
    {"windows-1252", 1252}, {"windows-1253", 1253}, {"windows-1254", 1254}, {"windows-1255", 1255},
    {"windows-1256", 1256}, {"windows-1257", 1257}, {"windows-1258", 1258}, {"shift_jis", 932},
    {"shift-jis", 932},     {"sjis", 932},          {"x-sjis", 932},        {"euc-kr", 949},
};

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return lower;
}

std::string_view UpToZero(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

}  // namespace

std::string DeclaredCharset(std::string_view text) {
  RegexMatcher matcher;
  if (!matcher.Search("<meta.+?charset=[^\\w]?([-\\w]+)", text.substr(0, 1024))) return {};
  return matcher.SubMatchText(1, 1);
}

unsigned CharsetCodePage(std::string_view name) {
  const std::string lower = LowerAscii(name);
  for (const CharsetName& charset : kCharsets) {
    if (charset.name == lower) return charset.codePage;
  }
  return 0;
}

std::string BodyText(std::string_view bodyBytes) {
  const std::string_view text = UpToZero(bodyBytes);
  const std::string charset = DeclaredCharset(text);
  if (charset.empty()) return std::string(text);
  const unsigned codePage = CharsetCodePage(charset);
  if (codePage == 0 || codePage == kGbkCodePage) return std::string(text);
  std::string_view encoded = bodyBytes;
  // A byte-order mark belongs to the encoding, not to the text.
  if (codePage == kUtf8CodePage && encoded.starts_with("\xEF\xBB\xBF")) encoded.remove_prefix(3);
  std::string decoded;
  if (!DecodeToGbk(codePage, encoded, decoded)) return std::string(text);
  return std::string(UpToZero(decoded));
}

}  // namespace orvanta
