#pragma once
// A thread-safe pool of fixed-size, reference-counted memory blocks, so that per-datagram buffers
// cost no general heap traffic. Every block handed out is preceded by an 8-byte header: a 32-bit
// reference count, then a kind byte (0 = pooled, 1 = taken from the heap because the request was
// larger than the block size). Pooled blocks lie one stride apart: the block size rounded up to a
// multiple of 4, plus the header. They are 8-byte aligned when the stride is a multiple of 8.
//
// The pool keeps every chunk until it is destroyed; blocks still handed out then become invalid.
#include "net/ThreadStack.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace vlk {

class TBlockMemoryMng {
public:
    static constexpr size_t kHeaderSize = 8;
    static constexpr size_t kBlocksPerChunk = 100;
    static constexpr uint8_t kKindPooled = 0;
    static constexpr uint8_t kKindHeap = 1;

    explicit TBlockMemoryMng(size_t blockSize);
    ~TBlockMemoryMng();
    TBlockMemoryMng(const TBlockMemoryMng&) = delete;
    TBlockMemoryMng& operator=(const TBlockMemoryMng&) = delete;

    // A block of at least `size` bytes with a reference count of 1. Pooled blocks come zero-filled
    // the first time and with their last contents when reused. nullptr only when the heap fails.
    void* Alloc(size_t size);
    // Drops one reference; at 0 a heap block is freed and a pooled one goes back to the pool. A
    // pooled block released once too often is left alone, since its count is already 0; a heap
    // block's header is gone with it, so releasing one twice is the caller's fault. nullptr is
    // ignored.
    void Release(void* block);

    size_t BlockSize() const { return blockSize_; }
    size_t Stride() const { return stride_; }
    size_t Total() const;       // pooled blocks created so far
    size_t FreeCount() const;   // pooled blocks ready to be handed out

private:
    struct Header {
        int32_t refCount;
        uint8_t kind;
        uint8_t reserved[3];
    };
    static_assert(sizeof(Header) == kHeaderSize);

    bool Grow();

    const size_t blockSize_;
    const size_t stride_;
    mutable std::mutex lock_;
    std::vector<uint8_t*> chunks_;
    TThreadStack free_;
    size_t total_ = 0;
};

} // namespace vlk
