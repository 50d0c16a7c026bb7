// BigNumberMemory: where the memory of the big numbers is checked. Every operation on them
// first asks for the most it can take; a refusal (StorageRefused) is thrown before anything is
// allocated, and the user is told so as for a matrix too large.
#pragma once

#include <cstddef>

namespace bignumber {

// Once, at the start of a program that makes big numbers, before the first of them: sets up
// the allocator for the storage check and the library's allocation with a reserve behind it
// (see BigNumberMemory.cpp). Should an allocation of the library fail even past the reserve,
// the program ends with status 1 after `report` has told the user.
void setUpAllocation(void (*report)());

// Grants `bytes` for big-number work or throws StorageRefused.
void requireBytes(std::size_t bytes);

}  // namespace bignumber
