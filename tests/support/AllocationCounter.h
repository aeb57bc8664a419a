// Counts the calls of the global operator new while a test watches. Linking
// skylid_allocation_counter into a test executable replaces the global
// operator new and delete of that executable (they still allocate with
// malloc, so the sanitizers see every block).
#pragma once

namespace testsupport {

// Starts counting from zero.
void StartCountingAllocations();
// Stops counting and gives the number of allocations since the start.
long StopCountingAllocations();

}  // namespace testsupport
