#pragma once
// The one way tests put the process back to its start state: every family of process-wide
// globals through the reset its header declares, the device link closed and the device
// pauses real again. A test program built with the window resets the window's families too.
// The message sink is left alone: a MessageRecorder installs and removes itself. Call it
// with no device thread, Apply or window running.

namespace gm::test {

void ResetProcessState();

// The core's families only; ResetProcessState calls it.
void ResetCoreProcessState();

}  // namespace gm::test
