// "config.ini", the settings both programs keep in the folder "config" below
// their run directory. Every read and write goes to the file anew (the other
// program, or the user, may have changed it); a missing file, section or key
// reads as "".
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace orvanta {

// The profile file underneath: Windows' profile functions in the programs, a
// map in the tests.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  virtual std::string Read(std::string_view section, std::string_view key) const = 0;
  virtual void Write(std::string_view section, std::string_view key, std::string_view value) = 0;
  // Deletes the whole file; false when there was none or it stays.
  virtual bool DeleteAll() = 0;
};

// The profile file "<run directory>\config\config.ini" (Windows only).
std::unique_ptr<ProfileStore> OpenConfigFile(std::string_view runDirectory);

// Outer window rectangle as stored: width, height, top and left edge.
struct WindowGeometry {
  int width = 0;
  int height = 0;
  int top = 0;
  int left = 0;

  // Stored geometry is applied only when its height exceeds 50, so a window
  // never comes back collapsed or from a file that lacks the keys.
  bool IsRestorable() const { return height > 50; }
  friend bool operator==(const WindowGeometry&, const WindowGeometry&) = default;
};

// The integer a stored text holds: optional blanks, an optional sign and the
// digits that follow; anything else (or nothing) counts as 0.
int ConfigInteger(std::string_view text);

class ClientConfig {
 public:
  explicit ClientConfig(ProfileStore& store) : store_(store) {}

  // [main] hostdata: the stored site entry, byte for byte as received.
  std::string HostData() const { return Read("main", "hostdata"); }
  void SetHostData(std::string_view entry) { Write("main", "hostdata", entry); }
  // [main] hostdataid: the server number last entered.
  std::string HostDataId() const { return Read("main", "hostdataid"); }
  void SetHostDataId(std::string_view number) { Write("main", "hostdataid", number); }
  // [main] loginurl: the site-relative login path.
  std::string LoginUrl() const { return Read("main", "loginurl"); }
  void SetLoginUrl(std::string_view path) { Write("main", "loginurl", path); }
  // [main] wz: the state the main window takes when brought forward
  // (0 normal, 1 centred, 2 minimised, 3 maximised).
  int MainWindowState() const { return ConfigInteger(Read("main", "wz")); }
  // [main] verhl: the client version the user chose to skip (launcher only).
  std::string SkippedVersion() const { return Read("main", "verhl"); }
  void SetSkippedVersion(std::string_view version) { Write("main", "verhl", version); }

  // [main] (main window) and [main2] (page window): wide, higth, top, lift.
  WindowGeometry MainGeometry() const { return ReadGeometry("main"); }
  void SaveMainGeometry(const WindowGeometry& geometry) { WriteGeometry("main", geometry); }
  WindowGeometry PageGeometry() const { return ReadGeometry("main2"); }
  void SavePageGeometry(const WindowGeometry& geometry) { WriteGeometry("main2", geometry); }

  // Deletes the whole file ("初始化所有配置").
  bool DeleteAll() { return store_.DeleteAll(); }

 private:
  std::string Read(std::string_view section, std::string_view key) const { return store_.Read(section, key); }
  void Write(std::string_view section, std::string_view key, std::string_view value) {
    store_.Write(section, key, value);
  }
  WindowGeometry ReadGeometry(std::string_view section) const;
  void WriteGeometry(std::string_view section, const WindowGeometry& geometry);

  ProfileStore& store_;
};

}  // namespace orvanta
