// How much memory this process may still take: what the system reports as available, and no
// more than what is left under the control group's limit, when it has one.
#pragma once

namespace fracflow::app {

// In bytes; +infinity when neither can be read.
double availableMemoryBytes();

}  // namespace fracflow::app
