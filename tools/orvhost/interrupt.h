// Ctrl+C (SIGINT) and SIGTERM end a run cleanly: the current driver call finishes, no new one
// starts, EndOrv is still called. A second Ctrl+C ends the program at once.
#pragma once

#include <chrono>

namespace orvhost {

void InstallInterruptHandlers();
bool Interrupted();

// Waits for duration in short slices; false when interrupted before it has passed.
bool SleepUnlessInterrupted(std::chrono::milliseconds duration);

}  // namespace orvhost
