// StorageRefused: thrown when the storage a matrix or a big number needs cannot be had (see
// StorageLimit). The program shows it in its own words; the type is what tells it apart.
#pragma once

#include <new>

class StorageRefused : public std::bad_alloc {
public:
    const char* what() const noexcept override { return "storage refused"; }
};
