// Raising the browser's events at the client's sinks: WebViewCreated after a
// CreateWebView, and whatever a control command asks for.
#pragma once

#include <string>
#include <vector>

#include "edgeview_abi.h"

namespace orvanta::standin {

void DeliverWebViewCreated(edgeview::Handle view);
// One command of the control channel (fields as parsed, UTF-8).
void RunCommand(const std::vector<std::string>& fields);

}  // namespace orvanta::standin
