// WorkingMemory: the one block of memory that an elimination of decimal or complex numbers works
// in, 64-byte aligned, checked against the memory left before it is taken, and taken once per
// operation. The block is kept for the next operation (up to keptBytes), so that asking for the
// same determinant again neither allocates nor has the system fault in fresh pages, and its
// speed does not depend on what the heap held before.
#pragma once

#include <cstddef>
#include <new>

#include "memory/StorageLimit.h"
#include "memory/StorageRefused.h"

namespace elimination {

class WorkingMemory {
public:
    static constexpr std::size_t alignment = 64;
    // Larger blocks are given back at the end of their operation, not held for the next one.
    static constexpr std::size_t keptBytes = std::size_t{64} << 20;

    // Bytes that take<T>(count) uses up, so that a caller can add up what it needs first.
    template <typename T>
    static constexpr std::size_t bytesFor(std::size_t count) {
        // T may itself be a pointer (a row table); its own size is meant.
        return (count * sizeof(T) + alignment - 1) / alignment * alignment;  // NOLINT(bugprone-sizeof-expression)
    }

    // Throws StorageRefused when a new block of `bytes` cannot be had.
    explicit WorkingMemory(std::size_t bytes) {
        Kept& kept = keptBlock();
        if (!kept.inUse && kept.size >= bytes) {
            useKept(kept);
            return;
        }
        if (!StorageLimit::reserve(bytes)) {
            throw StorageRefused();
        }
        if (kept.inUse || bytes > keptBytes) {
            // An operation inside another one, or a block too big to hold on to: its own.
            block = allocate(bytes);
            size = bytes;
            return;
        }
        release(kept);
        kept.data = allocate(bytes);
        kept.size = bytes;
        useKept(kept);
    }

    ~WorkingMemory() {
        if (fromKept) {
            keptBlock().inUse = false;
        } else {
            ::operator delete (block, std::align_val_t{alignment});
        }
    }
    WorkingMemory(const WorkingMemory&) = delete;
    WorkingMemory& operator=(const WorkingMemory&) = delete;

    // The next `count` elements of the block, 64-byte aligned; the caller has counted them in
    // (bytesFor) and creates its values by assignment before it reads them.
    template <typename T>
    T* take(std::size_t count) {
        const std::size_t bytes = bytesFor<T>(count);
        if (bytes > size - used) {
            throw std::bad_alloc();
        }
        T* start = reinterpret_cast<T*>(static_cast<unsigned char*>(block) + used);
        used += bytes;
        return start;
    }

    // Gives back the kept block (for tests that look at the allocations of one operation).
    static void releaseKept() {
        Kept& kept = keptBlock();
        if (!kept.inUse) {
            release(kept);
        }
    }

private:
    struct Kept {
        void* data = nullptr;
        std::size_t size = 0;
        bool inUse = false;
        ~Kept() { ::operator delete (data, std::align_val_t{alignment}); }
    };

    static Kept& keptBlock() {
        static thread_local Kept kept;
        return kept;
    }

    static void* allocate(std::size_t bytes) {
        return ::operator new (bytes == 0 ? 1 : bytes, std::align_val_t{alignment});
    }

    static void release(Kept& kept) {
        ::operator delete (kept.data, std::align_val_t{alignment});
        kept.data = nullptr;
        kept.size = 0;
    }

    void useKept(Kept& kept) {
        kept.inUse = true;
        block = kept.data;
        size = kept.size;
        fromKept = true;
    }

    void* block = nullptr;
    std::size_t size = 0;
    std::size_t used = 0;
    bool fromKept = false;
};

}  // namespace elimination
