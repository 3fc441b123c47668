// tests/win32/rig/script.h -- what the rig's input functions need of the running script.
#pragma once

#include "win32_test.h"

namespace win32_test {

// When a script step (rather than a handler) gave input, the loop that went idle handles
// it at once, so that the step sees its effects; inside a handler the input waits.
void deliver_step_input();

} // namespace win32_test
