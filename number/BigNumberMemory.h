// BigNumberMemory: where the memory of the big numbers is checked. Every operation on them
// first asks for the most it can take; a refusal (StorageRefused) is thrown before anything is
// allocated, and the user is told so as for a matrix too large.
#pragma once

#include <cstddef>

namespace bignumber {

// Grants `bytes` for big-number work or throws StorageRefused.
void requireBytes(std::size_t bytes);

// Should an allocation of the library fail all the same, the program ends (see
// BigNumberMemory.cpp), with status 1 after `report` has told the user.
void whenAllocationFails(void (*report)());

}  // namespace bignumber
