#include "export_resolver.h"

#include "codepage.h"

namespace orvanta::edgeview {

void* ExportResolver::Resolve(Export which) {
  const auto index = static_cast<std::size_t>(which);
  if (found_[index] != nullptr) return found_[index];
  if (stopped_) return nullptr;
  const std::string name = ExportName(which);
  if (!opened_) {
    if (!loader_.Open()) {
      StopWith(MissingLibraryMessage(loader_.FileName(), name));
      return nullptr;
    }
    opened_ = true;
  }
  void* address = loader_.Find(name.c_str());
  if (address == nullptr) {
    StopWith(MissingExportMessage(loader_.FileName(), name));
    return nullptr;
  }
  found_[index] = address;
  return address;
}

void ExportResolver::StopWith(const std::string& message) {
  // Set before Stop: its message box runs a message loop, and whatever runs
  // inside it must not raise the same stop again.
  stopped_ = true;
  loader_.Stop(message);
}

std::string MissingLibraryMessage(const std::string& library_file, const std::string& export_name) {
  return Gbk(u8"找不到浏览器组件库文件“") + library_file + Gbk(u8"”，无法调用其中的“") + export_name +
         Gbk(u8"”。程序无法继续运行，即将退出。");
}

std::string MissingExportMessage(const std::string& library_file, const std::string& export_name) {
  return Gbk(u8"浏览器组件库文件“") + library_file + Gbk(u8"”中找不到函数“") + export_name +
         Gbk(u8"”。程序无法继续运行，即将退出。");
}

}  // namespace orvanta::edgeview
