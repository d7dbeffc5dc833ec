// The exports of the stand-in "edgeview.dll". Names are plain (edgeview.def);
// each signature is checked against the interface the client binds to.
#include <windows.h>

#include <type_traits>

#include "standin.h"

namespace ev = orvanta::edgeview;
using orvanta::standin::StandIn;

namespace {

// Nothing may unwind into the client.
template <typename R, typename F>
R Guard(const char* call, F body) {
  try {
    StandIn::Get().CheckThread(call);
    return body(StandIn::Get());
  } catch (...) {
    return R{};
  }
}

}  // namespace

extern "C" {

ev::Value __stdcall edgeview_RegisterClass(const ev::WrapperBlock* sample, ev::ClassId id) {
  return Guard<ev::Value>("RegisterClass", [&](StandIn& s) { return s.RegisterClass(sample, id); });
}

ev::Value __stdcall edgeview_CreateEnvironment(const ev::EnvironmentOptions* options, ev::WrapperBlock* result) {
  return Guard<ev::Value>("CreateEnvironment", [&](StandIn& s) { return s.CreateEnvironment(options, result); });
}

char* __stdcall edgeview_CheckRuntime(ev::Value value) {
  return Guard<char*>("CheckRuntime", [&](StandIn& s) { return s.CheckRuntime(value); });
}

ev::Value __stdcall edgeview_MemFree(void* block) {
  return Guard<ev::Value>("MemFree", [&](StandIn& s) { return s.MemFree(block); });
}

ev::Value __stdcall edgeview_ObjectAddRef(ev::Handle handle, ev::ClassId id) {
  return Guard<ev::Value>("ObjectAddRef", [&](StandIn& s) { return s.AddRef(handle, id); });
}

ev::Value __stdcall edgeview_ObjectRelease(ev::Handle handle, ev::ClassId id) {
  return Guard<ev::Value>("ObjectRelease", [&](StandIn& s) { return s.Release(handle, id); });
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&edgeview_RegisterClass), ev::RegisterClassFn>);
static_assert(std::is_same_v<decltype(&edgeview_CreateEnvironment), ev::CreateEnvironmentFn>);
static_assert(std::is_same_v<decltype(&edgeview_CheckRuntime), ev::CheckRuntimeFn>);
static_assert(std::is_same_v<decltype(&edgeview_MemFree), ev::MemFreeFn>);
static_assert(std::is_same_v<decltype(&edgeview_ObjectAddRef), ev::ObjectAddRefFn>);
static_assert(std::is_same_v<decltype(&edgeview_ObjectRelease), ev::ObjectReleaseFn>);
