#include "http_charset.h"

#include <gtest/gtest.h>

#include "codepage.h"

namespace orvanta {
namespace {

// A byte string from a literal that may hold zero bytes.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

TEST(DeclaredCharset, FindsTheMetaCharsetInThePageHead) {
  const struct {
    const char* name;
    std::string page, charset;
  } cases[] = {
      {"HTML5 form", "<html><head><meta charset=\"utf-8\"><title>", "utf-8"},
      {"http-equiv form", "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />", "gb2312"},
      {"any letter case, no quotes", "<META CHARSET=UTF-8>", "UTF-8"},
      {"single quote", "<meta charset='big5'>", "big5"},
      {"the first of two", "<meta charset=\"utf-8\"><meta charset=\"gbk\">", "utf-8"},
      {"a tag broken across lines declares nothing", "<meta\ncharset=\"utf-8\">", ""},
      {"a meta tag without charset", "<meta name=\"viewport\" content=\"width=device-width\">", ""},
      {"no meta tag", "<html><body>charset=utf-8</body></html>", ""},
      {"only the first 1024 bytes count", std::string(1024, ' ') + "<meta charset=\"utf-8\">", ""},
      {"a tag cut off at byte 1024", std::string(1000, ' ') + "<meta name=\"a\" content=\"x\" charset=\"utf-8\">", ""},
      {"just inside the first 1024 bytes", std::string(1000, ' ') + "<meta charset=utf-8>", "utf-8"},
      {"Chinese text in front", Gbk(u8"中文标题") + "<meta charset=\"utf-8\">", "utf-8"},
      {"empty page", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DeclaredCharset(c.page), c.charset);
  }
}

TEST(DeclaredCharset, LongestHeadWithoutCharsetEndsQuickly) {
  // "<meta" followed by a whole head of other text: the lazy ".+?" walks the
  // full 1024 bytes from every "<meta" without finding "charset=".
  std::string head;
  while (head.size() < 4096) head += "<meta x=\"yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy\">";
  EXPECT_EQ(DeclaredCharset(head), "");
}

TEST(CharsetCodePage, KnownNamesInAnyLetterCase) {
  const struct {
    std::string name;
    unsigned codePage;
  } cases[] = {
      {"gbk", 936},           {"GB2312", 936},
      {"utf-8", 65001},       {"UTF8", 65001},
      {"gb18030", 54936},     {"Big5", 950},
      {"iso-8859-1", 28591},  {"windows-1251", 1251},
      {"Windows-1252", 1252}, {"shift_jis", 932},
      {"Shift-JIS", 932},     {"euc-kr", 949},
      {"klingon", 0},         {"", 0},
      {"utf-88", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CharsetCodePage(c.name), c.codePage);
  }
}

// The body conversion runs through the platform seam: iconv natively,
// MultiByteToWideChar under Windows. Both must give the same GBK text.
TEST(BodyText, DecodesTheDeclaredCharsetIntoGbk) {
  const std::string zhongwen = Gbk(u8"中文");
  const struct {
    const char* name;
    std::string body, text;
  } cases[] = {
      {"no meta charset: taken as GBK", "<p>" + zhongwen + "</p>", "<p>" + zhongwen + "</p>"},
      {"declared gb2312: unchanged", "<meta charset=gb2312>" + zhongwen, "<meta charset=gb2312>" + zhongwen},
      {"declared GBK in capitals: unchanged", "<meta charset=GBK>" + zhongwen, "<meta charset=GBK>" + zhongwen},
      {"declared utf-8", "<meta charset=\"utf-8\">\xE4\xB8\xAD\xE6\x96\x87", "<meta charset=\"utf-8\">" + zhongwen},
      {"utf-8 with a byte-order mark", "\xEF\xBB\xBF<meta charset=utf-8>\xE4\xB8\xAD", "<meta charset=utf-8>\xD6\xD0"},
      {"big5", "<meta charset=big5>\xA4\xA4\xA4\xE5", "<meta charset=big5>" + zhongwen},
      {"shift_jis", "<meta charset=shift_jis>\x93\xFA\x96\x7B", "<meta charset=shift_jis>" + Gbk(u8"日本")},
      {"iso-8859-1", "<meta charset=iso-8859-1>caf\xE9", "<meta charset=iso-8859-1>caf" + Gbk(u8"é")},
      {"windows-1251", "<meta charset=windows-1251>\xC4", "<meta charset=windows-1251>" + Gbk(u8"Д")},
      {"a character GBK lacks becomes ?", "<meta charset=utf-8>\xED\x95\x9C", "<meta charset=utf-8>?"},
      {"an unknown charset keeps the GBK text", "<meta charset=x-klingon>" + zhongwen,
       "<meta charset=x-klingon>" + zhongwen},
      {"the text ends at the first zero byte", Bytes("abc\0def"), "abc"},
      {"also after decoding", Bytes("<meta charset=utf-8>\xE4\xB8\xAD\0tail"), "<meta charset=utf-8>\xD6\xD0"},
      {"empty body", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(BodyText(c.body), c.text);
  }
}

TEST(BodyText, MalformedBytesInTheDeclaredCharsetBecomeQuestionMarks) {
  const std::string text = BodyText(
      "<meta charset=utf-8>a\xFF"
      "b\xE4\xB8");
  EXPECT_EQ(text.substr(0, 22), "<meta charset=utf-8>a?");
  EXPECT_EQ(text[22], 'b');
  // The truncated sequence at the end gives at least one "?" and nothing else.
  EXPECT_GE(text.size(), 24u);
  EXPECT_EQ(text.find_first_not_of('?', 23), std::string::npos);
}

}  // namespace
}  // namespace orvanta
