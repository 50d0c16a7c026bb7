#include "number/BigNumberMemory.h"

#include <atomic>
#include <cstdlib>

#include "memory/StorageLimit.h"
#include "memory/StorageRefused.h"

#if !defined(_WIN32)
#include <gmp.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

void (*reportFailedAllocation)() = nullptr;

#if !defined(_WIN32)

// GMP's allocation functions have no way back into GMP: a throw or a longjmp through it is
// undefined (mpz_mul, for one, has already freed its result's old block when it asks for the
// new one). What the storage check grants is an estimate, and the library's temporaries and the
// allocator's own overhead can go past it, so a reserve is held back: when an allocation of the
// library fails, the reserve is given up and the allocation tried again, and the next check
// refuses the operation unless the reserve can be had again. The exact engine's threads may
// allocate at the same time, so the reserve is taken and given up in one atomic step.
constexpr std::size_t reserveBytes = std::size_t{4} << 20;
std::atomic<void*> reserve{nullptr};

// Above the mapping threshold, so that it goes back to the system when it is given up.
bool holdReserve() {
    if (reserve.load() != nullptr)
        return true;
    void* block = std::malloc(reserveBytes);
    if (block == nullptr)
        return false;
    void* none = nullptr;
    if (!reserve.compare_exchange_strong(none, block))
        std::free(block);
    return true;
}

bool giveUpReserve() {
    void* const block = reserve.exchange(nullptr);
    if (block == nullptr)
        return false;
    std::free(block);
    return true;
}

// Past the reserve the program can only end: with the refusal, and through exit(), so that the
// terminal is restored and the output held for a pipe is written.
[[noreturn]] void refuse() {
    if (reportFailedAllocation != nullptr)
        reportFailedAllocation();
    std::exit(1);
}

void* allocate(std::size_t bytes) {
    void* block = std::malloc(bytes);
    while (block == nullptr) {
        if (!giveUpReserve())
            refuse();
        block = std::malloc(bytes);
    }
    return block;
}

void* reallocate(void* block, std::size_t, std::size_t bytes) {
    void* moved = std::realloc(block, bytes);
    while (moved == nullptr) {
        if (!giveUpReserve())
            refuse();
        moved = std::realloc(block, bytes);
    }
    return moved;
}

void release(void* block, std::size_t) {
    std::free(block);
}

#else

// Boost's numbers fail with std::bad_alloc like any other allocation: no reserve is needed.
bool holdReserve() {
    return true;
}

#endif

}  // namespace

namespace bignumber {

// The check reads the address space the process holds. glibc raises its threshold for
// mapping a block of its own after a large one is freed, up to 32 MB, and later blocks below it
// come from the heap, which keeps its size when they are freed: a number of millions of digits
// typed and thrown away would count as held for the rest of the run. A threshold that is set
// stays where it is, so every large block goes back to the system when it is freed.
void setUpAllocation(void (*report)()) {
    reportFailedAllocation = report;
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
#if !defined(_WIN32)
    // The same malloc and free as GMP's defaults, so blocks from before this are released
    // alike.
    mp_set_memory_functions(allocate, reallocate, release);
#endif
    holdReserve();
}

// Small requests are gathered and checked together, so that the many small wide values of an
// elimination do not each read the system's figures; each thread gathers its own.
void requireBytes(std::size_t bytes) {
    if (!holdReserve())
        throw StorageRefused();
    constexpr std::size_t batch = std::size_t{1} << 20;
    thread_local std::size_t pending = 0;
    pending += bytes;
    if (pending < batch)
        return;
    const std::size_t request = pending;
    pending = 0;
    if (!StorageLimit::reserve(request))
        throw StorageRefused();
}

}  // namespace bignumber
