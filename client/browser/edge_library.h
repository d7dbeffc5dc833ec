// The process's entry to the browser library: constructing it registers the
// wrapper classes; it makes the browser environment.
#pragma once

#include <cstdint>
#include <string>

#include "edge_records.h"
#include "edge_wrappers.h"

namespace orvanta {

class EdgeLibrary {
 public:
  // Registers the classes 0, 1, 2, 3, 4, 7, 8, 9, 10 and 11 in this order
  // (each at most once per process). Classes 5 and 6 register with their
  // first wrapper. Without the library file this is the fatal stop.
  EdgeLibrary();

  // Makes the process DPI-aware; call before any window exists.
  static void SetDpiAware();

  // Empty when the library cannot make an environment (no browser runtime).
  EdgeEnvironment CreateEnvironment(const EdgeEnvironmentOptions& options) const;

  // The library's runtime text, "" when it returns none.
  std::string CheckRuntime(std::uint32_t value) const;
};

}  // namespace orvanta
