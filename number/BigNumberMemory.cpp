#include "number/BigNumberMemory.h"

#include <cstdlib>

#include "memory/StorageLimit.h"
#include "memory/StorageRefused.h"

#if !defined(_WIN32)
#include <gmp.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace bignumber {

namespace {
void (*reportFailedAllocation)() = nullptr;
}  // namespace

void whenAllocationFails(void (*report)()) {
    reportFailedAllocation = report;
}

// Small requests are gathered and checked together, so that the many small wide values of an
// elimination do not each read the system's figures.
void requireBytes(std::size_t bytes) {
    constexpr std::size_t batch = std::size_t{1} << 20;
    static std::size_t pending = 0;
    pending += bytes;
    if (pending < batch)
        return;
    const std::size_t request = pending;
    pending = 0;
    if (!StorageLimit::reserve(request))
        throw StorageRefused();
}

}  // namespace bignumber

#if !defined(_WIN32)

namespace {

// GMP's own answer to a failed allocation is abort(): a core dump, no exit handlers, and a
// terminal left without echo. Its manual allows the allocation functions no way back into GMP
// (a throw or a longjmp through it is undefined), only the end of the program. So the refusal
// that returns to the menu is given beforehand, by requireBytes; should an allocation fail all
// the same, the program ends here, with the refusal and through exit(), so that the terminal is
// restored and the output held for a pipe is written.
[[noreturn]] void refuse() {
    if (bignumber::reportFailedAllocation != nullptr)
        bignumber::reportFailedAllocation();
    std::exit(1);
}

void* allocate(std::size_t bytes) {
    void* block = std::malloc(bytes);
    if (block == nullptr)
        refuse();
    return block;
}

void* reallocate(void* block, std::size_t, std::size_t bytes) {
    void* moved = std::realloc(block, bytes);
    if (moved == nullptr)
        refuse();
    return moved;
}

void release(void* block, std::size_t) {
    std::free(block);
}

// The check reads the address space the process holds. glibc raises its threshold for
// mapping a block of its own after a large one is freed, up to 32 MB, and later blocks below it
// come from the heap, which keeps its size when they are freed: a number of millions of digits
// typed and thrown away would count as held for the rest of the run. A threshold that is set
// stays where it is, so every large block goes back to the system when it is freed.
void installAllocation() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    // The same malloc and free as GMP's defaults, so blocks from before this are released
    // alike.
    mp_set_memory_functions(allocate, reallocate, release);
}

[[maybe_unused]] const bool installed = (installAllocation(), true);

}  // namespace

#endif
