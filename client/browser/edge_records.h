// The records the client passes to the browser library and reads from it.
// Texts are GBK.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "edgeview_abi.h"

namespace orvanta {

// Pixels of the parent window's client area: left, top, right, bottom.
using EdgeBounds = edgeview::Bounds;

// Ten fields of the library's own; no client flow reads them.
using EdgeWindowFeatures = edgeview::WindowFeatures;

struct EdgeEnvironmentOptions {
  std::string text1;
  std::string user_data_folder;  // the browser's user-data folder
  std::string text3;
  std::string text4;
};

struct EdgeWebViewOptions {
  HWND parent = nullptr;
  EdgeBounds bounds{};
  std::int32_t flag = 0;
  std::string profile_name;
};

// The browser's 15 switches and values in the library's order, read and
// written whole. Fields count from 1.
class EdgeSettings {
 public:
  static constexpr int kScripts = 1;            // 1 on, 0 off
  static constexpr int kDefaultScriptDialogs = 3;  // off: the browser raises ScriptDialogOpening instead
  static constexpr int kDefaultContextMenus = 6;

  // 0 for a field outside 1..15.
  std::int32_t Get(int field) const {
    return InRange(field) ? record_.field[field - 1] : 0;
  }
  // False (and nothing changes) for a field outside 1..15.
  bool Set(int field, std::int32_t value) {
    if (!InRange(field)) return false;
    record_.field[field - 1] = value;
    return true;
  }

  edgeview::Settings& Record() { return record_; }
  const edgeview::Settings& Record() const { return record_; }

  friend bool operator==(const EdgeSettings& a, const EdgeSettings& b) {
    for (int i = 0; i < edgeview::kSettingsFieldCount; ++i) {
      if (a.record_.field[i] != b.record_.field[i]) return false;
    }
    return true;
  }

 private:
  static bool InRange(int field) { return field >= 1 && field <= edgeview::kSettingsFieldCount; }
  edgeview::Settings record_{};
};

}  // namespace orvanta
