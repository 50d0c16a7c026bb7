// BigNumberMemory: where the memory of the big numbers is checked. Every operation on them
// first asks for the most it can take; a refusal is thrown before anything is allocated, and the
// user is told "Nicht genug Arbeitsspeicher fuer diese Operation." as for a matrix too large.
#pragma once

#include <cstddef>

namespace bignumber {

// Grants `bytes` for big-number work or throws the refusal (outOfMemoryText).
void requireBytes(std::size_t bytes);

}  // namespace bignumber
