#include "edge_library.h"

#include <windows.h>

#include "library_exports.h"

namespace orvanta {

namespace ev = edgeview;

EdgeLibrary::EdgeLibrary() {
  // Each temporary registers its class as it is made; together they are
  // released at the end, which gives the library ten releases of handle 0.
  EdgeEnvironment environment;
  EdgeWebView web_view;
  EdgeNewWindowArgs new_window_args;
  EdgeScriptDialogArgs script_dialog_args;
  EdgeContextMenuArgs context_menu_args;
  EdgePermissionArgs permission_args;
  EdgeObject<ev::ClassId::kUnnamed8> unnamed8;
  EdgeObject<ev::ClassId::kUnnamed9> unnamed9;
  EdgeObject<ev::ClassId::kUnnamed10> unnamed10;
  EdgeObject<ev::ClassId::kUnnamed11> unnamed11;
}

void EdgeLibrary::SetDpiAware() { SetProcessDPIAware(); }

EdgeEnvironment EdgeLibrary::CreateEnvironment(const EdgeEnvironmentOptions& options) const {
  EdgeEnvironment environment;
  const ev::EnvironmentOptions record{options.text1.c_str(), options.user_data_folder.c_str(),
                                      options.text3.c_str(), options.text4.c_str()};
  // The library leaves the handle 0 when it fails; the wrapper stays empty.
  if (auto create = ev::LibraryExports().Get<ev::Export::kCreateEnvironment>()) {
    create(&record, &environment.block_);
  }
  return environment;
}

std::string EdgeLibrary::CheckRuntime(std::uint32_t value) const {
  auto check = ev::LibraryExports().Get<ev::Export::kCheckRuntime>();
  return check != nullptr ? ev::TakeLibraryText(check(value)) : std::string();
}

}  // namespace orvanta
