// Registers each wrapper class with the library at most once per process,
// whichever operation asks first.
#pragma once

#include "edgeview_abi.h"

namespace orvanta::edgeview {

// Calls edgeview_RegisterClass with `sample` (a wrapper of class `id`) unless
// the class is registered already. Ids outside 0..11 are ignored.
void EnsureClassRegistered(const WrapperBlock& sample, ClassId id);

}  // namespace orvanta::edgeview
