#include "net/BlockMemoryMng.h"

#include <cstdlib>
#include <limits>
#include <new>

namespace vlk {

namespace {

size_t StrideFor(size_t blockSize)
{
    return ((blockSize + 3) & ~size_t{3}) + TBlockMemoryMng::kHeaderSize;
}

} // namespace

TBlockMemoryMng::TBlockMemoryMng(size_t blockSize)
    : blockSize_(blockSize), stride_(StrideFor(blockSize))
{
}

TBlockMemoryMng::~TBlockMemoryMng()
{
    std::lock_guard guard(lock_);
    for (uint8_t* chunk : chunks_)
        std::free(chunk);
}

void* TBlockMemoryMng::Alloc(size_t size)
{
    if (size > blockSize_) {
        if (size > std::numeric_limits<size_t>::max() - kHeaderSize)
            return nullptr;
        auto* header = static_cast<Header*>(std::malloc(size + kHeaderSize));
        if (!header)
            return nullptr;
        *header = Header{1, kKindHeap, {}};
        return reinterpret_cast<uint8_t*>(header) + kHeaderSize;
    }
    std::lock_guard guard(lock_);
    if (free_.Count() == 0 && !Grow())
        return nullptr;
    void* slot = nullptr;
    free_.Pop(slot);
    static_cast<Header*>(slot)->refCount = 1;
    return static_cast<uint8_t*>(slot) + kHeaderSize;
}

void TBlockMemoryMng::Release(void* block)
{
    if (!block)
        return;
    auto* header = reinterpret_cast<Header*>(static_cast<uint8_t*>(block) - kHeaderSize);
    std::lock_guard guard(lock_);
    if (header->refCount <= 0 || --header->refCount > 0)
        return;
    if (header->kind == kKindHeap)
        std::free(header);
    else
        free_.Push(header);
}

size_t TBlockMemoryMng::Total() const
{
    std::lock_guard guard(lock_);
    return total_;
}

size_t TBlockMemoryMng::FreeCount() const
{
    std::lock_guard guard(lock_);
    return free_.Count();
}

// Called under the lock. Room in the chunk list and the free stack is made before anything is
// recorded, so a failing heap leaves the pool as it was.
bool TBlockMemoryMng::Grow()
{
    auto* chunk = static_cast<uint8_t*>(std::calloc(kBlocksPerChunk, stride_));
    if (!chunk)
        return false;
    try {
        chunks_.reserve(chunks_.size() + 1);
        free_.Reserve(total_ + kBlocksPerChunk);
    } catch (const std::bad_alloc&) {
        std::free(chunk);
        return false;
    }
    chunks_.push_back(chunk);
    // Pushed in address order, so the highest block is handed out first.
    for (size_t i = 0; i < kBlocksPerChunk; ++i)
        free_.Push(chunk + i * stride_);
    total_ += kBlocksPerChunk;
    return true;
}

} // namespace vlk
