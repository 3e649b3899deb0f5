// ResetProcessState of the core's test programs.

#include "support/process_state.h"

namespace gm::test {

void ResetProcessState() { ResetCoreProcessState(); }

}  // namespace gm::test
