// config.ini through Windows' profile functions, with the W forms and the
// system's 936 conversion so that Chinese values survive on any locale.
#include <windows.h>

#include "client_config.h"
#include "codepage.h"

namespace orvanta {
namespace {

class ProfileFile final : public ProfileStore {
 public:
  explicit ProfileFile(std::wstring path) : path_(std::move(path)) {}

  std::string Read(std::string_view section, std::string_view key) const override {
    // The profile functions truncate silently: grow until the value fits.
    std::wstring buffer(512, L'\0');
    for (;;) {
      const DWORD length = GetPrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(), L"",
                                                    buffer.data(), static_cast<DWORD>(buffer.size()), path_.c_str());
      if (length + 1 < buffer.size() || buffer.size() >= (1u << 24)) {
        buffer.resize(length);
        return FromWide(buffer);
      }
      buffer.resize(buffer.size() * 4);
    }
  }

  void Write(std::string_view section, std::string_view key, std::string_view value) override {
    WritePrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(), ToWide(value).c_str(), path_.c_str());
  }

  bool DeleteAll() override { return DeleteFileW(path_.c_str()) != FALSE; }

 private:
  std::wstring path_;
};

}  // namespace

std::unique_ptr<ProfileStore> OpenConfigFile(std::string_view runDirectory) {
  return std::make_unique<ProfileFile>(ToWide(runDirectory) + L"\\config\\config.ini");
}

}  // namespace orvanta
