// The stand-in's record of every call it receives: one UTF-8 line per call,
// appended to "calls.log" in the control folder and flushed at once, so that
// a test or the probe can read it while the program runs.
#pragma once

#include <string>
#include <string_view>

namespace orvanta::standin {

class CallLog {
 public:
  explicit CallLog(std::wstring path) : path_(std::move(path)) {}
  void Line(const std::string& utf8);

 private:
  std::wstring path_;
};

// A text the client sent in its code page (GBK), quoted for the log as UTF-8.
// Bytes that are not GBK appear as \xHH.
std::string QuoteGbk(std::string_view gbk);
// A text that must be UTF-8, quoted; one that is not is marked "!utf8" and
// shows its bytes as \xHH, so a test sees exactly what arrived.
std::string QuoteUtf8(std::string_view bytes);
std::string Hex(unsigned value);

}  // namespace orvanta::standin
