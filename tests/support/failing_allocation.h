// Allocations that fail on demand, as on a machine out of memory: the test
// program replaces operator new, which every allocation of the program's
// code goes through, and the replacement throws std::bad_alloc once armed.
#ifndef BRAVOLIN_TESTS_SUPPORT_FAILING_ALLOCATION_H
#define BRAVOLIN_TESTS_SUPPORT_FAILING_ALLOCATION_H

#include <cstddef>

// From now on, allocations of at least size bytes fail once `succeeding`
// more of them have been made; smaller ones go on.
void failLargeAllocations(std::size_t size, int succeeding);

// Every allocation succeeds again (as far as the machine allows).
void stopFailingAllocations();

#endif
