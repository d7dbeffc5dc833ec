// Starts the browser layer as the client does. The fatal-stop test runs this
// program where the library file, or one of its exports, is missing: it must
// end in the fatal error box and never reach its own return.
#include "edge_library.h"

int main() {
  const orvanta::EdgeLibrary library;
  orvanta::EdgeEnvironmentOptions options;
  options.user_data_folder = "EdgeViewCache";
  const orvanta::EdgeEnvironment environment = library.CreateEnvironment(options);
  return 2;  // the library was complete after all
}
