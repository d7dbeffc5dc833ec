// Finds the exports of the browser library: the library file is opened at the
// first call that needs it and each export is looked up at its own first call
// and kept. A missing file or export is fatal: the loader's Stop shows the
// message and ends the process. Should Stop return (it does in tests), the
// binding stays stopped and every later call resolves to nothing, so callers
// skip the call instead of jumping to address 0.
#pragma once

#include <array>
#include <string>

#include "edgeview_abi.h"

namespace orvanta::edgeview {

// Where the library comes from; the program's loader maps the real file.
class LibraryLoader {
 public:
  virtual bool Open() = 0;                                      // true once the file is mapped
  virtual void* Find(const char* export_name) = 0;              // nullptr when absent
  virtual std::string FileName() const = 0;                     // GBK, for the fatal message
  virtual void Stop(const std::string& message_gbk) = 0;        // shows the message, ends the process

 protected:
  ~LibraryLoader() = default;
};

class ExportResolver {
 public:
  explicit ExportResolver(LibraryLoader& loader) : loader_(loader) {}

  // The export's address, or nullptr once the binding has stopped.
  void* Resolve(Export which);

  template <Export E>
  typename ExportType<E>::Fn Get() {
    return reinterpret_cast<typename ExportType<E>::Fn>(Resolve(E));
  }

 private:
  void StopWith(const std::string& message);

  LibraryLoader& loader_;
  bool opened_ = false;
  bool stopped_ = false;
  std::array<void*, kExportCount> found_{};
};

// The fatal messages (GBK). Both name the library file and the export.
std::string MissingLibraryMessage(const std::string& library_file, const std::string& export_name);
std::string MissingExportMessage(const std::string& library_file, const std::string& export_name);

}  // namespace orvanta::edgeview
