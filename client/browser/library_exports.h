// The process's binding to "edgeview.dll" in the client's folder, and the
// calls of its exports that the wrappers make.
#pragma once

#include <string>

#include "edgeview_abi.h"
#include "export_resolver.h"

namespace orvanta::edgeview {

// Exit code of the process after the fatal stop (library file or export
// missing).
inline constexpr unsigned kFatalStopExitCode = 3;

// The one binding of the process. It is never torn down: wrappers with static
// storage give their references back while the process ends, after any
// destructor of ours could have run, so the library stays mapped until then.
ExportResolver& LibraryExports();

// A library text (0 = none) as the client's text; the block is freed.
std::string TakeLibraryText(const char* text);
// A library data block as bytes; the block is freed.
std::string TakeLibraryData(const void* block, Value length);

void AddObjectRef(Handle handle, ClassId id);   // no call for handle 0
void ReleaseObject(Handle handle, ClassId id);  // called for handle 0 as well

}  // namespace orvanta::edgeview
