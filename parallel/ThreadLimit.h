// ThreadLimit: the most threads a person allows the computations (the option --threads and the
// environment variable TAVOLENT_THREADS), read from its text.
#pragma once

#include <optional>
#include <string_view>

namespace parallel {

// More than this is surely a typing error, not a machine.
inline constexpr unsigned mostThreads = 1024;

// A whole number from 1 to mostThreads, digits only; anything else gives nothing.
std::optional<unsigned> parseThreadLimit(std::string_view text);

}  // namespace parallel
