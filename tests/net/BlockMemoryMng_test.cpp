#include "net/BlockMemoryMng.h"
#include "net/ThreadStack.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

namespace vlk {
namespace {

int32_t RefCountOf(const void* block)
{
    int32_t count;
    std::memcpy(&count, static_cast<const uint8_t*>(block) - TBlockMemoryMng::kHeaderSize, 4);
    return count;
}

uint8_t KindOf(const void* block)
{
    return *(static_cast<const uint8_t*>(block) - TBlockMemoryMng::kHeaderSize + 4);
}

TEST(ThreadStackTest, PopsInReverseOrderAndReportsEmpty)
{
    TThreadStack stack;
    int a, b, c;
    void* out = &a;
    EXPECT_FALSE(stack.Pop(out));
    EXPECT_EQ(out, &a);

    stack.Push(&a);
    stack.Push(&b);
    stack.Push(nullptr);
    stack.Push(&c);
    EXPECT_EQ(stack.Count(), 4u);
    for (void* expected : {static_cast<void*>(&c), static_cast<void*>(nullptr),
                           static_cast<void*>(&b), static_cast<void*>(&a)}) {
        ASSERT_TRUE(stack.Pop(out));
        EXPECT_EQ(out, expected);
    }
    EXPECT_EQ(stack.Count(), 0u);
    EXPECT_FALSE(stack.Pop(out));
}

TEST(ThreadStackTest, LockSerialisesCallersOnSeveralThreads)
{
    TThreadStack stack;
    constexpr int kThreads = 4;
    constexpr int kRounds = 2000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&stack] {
            int marker;
            for (int i = 0; i < kRounds; ++i) {
                stack.Lock();
                stack.Push(&marker);
                stack.Unlock();
                if (i % 2 == 0) {
                    void* out = nullptr;
                    stack.Lock();
                    stack.Pop(out);
                    stack.Unlock();
                }
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(stack.Count(), size_t{kThreads * kRounds / 2});
}

TEST(BlockMemoryMngTest, StrideIsBlockSizeRoundedToFourPlusHeader)
{
    const struct {
        size_t blockSize;
        size_t stride;
    } cases[] = {{0, 8}, {1, 12}, {4, 12}, {5, 16}, {10, 20}, {12, 20}, {832, 840}, {2048, 2056}};
    for (const auto& c : cases) {
        TBlockMemoryMng pool(c.blockSize);
        EXPECT_EQ(pool.BlockSize(), c.blockSize);
        EXPECT_EQ(pool.Stride(), c.stride) << "block size " << c.blockSize;
    }
}

TEST(BlockMemoryMngTest, GrowsByChunksHandingOutTheHighestBlockFirst)
{
    TBlockMemoryMng pool(10);
    EXPECT_EQ(pool.Total(), 0u);
    EXPECT_EQ(pool.FreeCount(), 0u);

    std::vector<uint8_t*> blocks;
    for (size_t i = 0; i < TBlockMemoryMng::kBlocksPerChunk; ++i)
        blocks.push_back(static_cast<uint8_t*>(pool.Alloc(10)));
    EXPECT_EQ(pool.Total(), 100u);
    EXPECT_EQ(pool.FreeCount(), 0u);
    // One chunk, walked downwards one stride at a time, every block zero-filled and counted once.
    for (size_t i = 1; i < blocks.size(); ++i)
        ASSERT_EQ(blocks[i - 1] - blocks[i], 20) << "block " << i;
    for (uint8_t* block : blocks) {
        EXPECT_EQ(RefCountOf(block), 1);
        EXPECT_EQ(KindOf(block), TBlockMemoryMng::kKindPooled);
        EXPECT_EQ(std::memcmp(block, std::vector<uint8_t>(10, 0).data(), 10), 0);
    }

    void* hundredFirst = pool.Alloc(1);
    ASSERT_NE(hundredFirst, nullptr);
    EXPECT_EQ(pool.Total(), 200u);
    EXPECT_EQ(pool.FreeCount(), 99u);
    EXPECT_EQ(std::set<void*>(blocks.begin(), blocks.end()).count(hundredFirst), 0u);
}

TEST(BlockMemoryMngTest, ReleasedBlocksAreReusedAndChunksKept)
{
    TBlockMemoryMng pool(64);
    std::vector<void*> blocks;
    for (int i = 0; i < 250; ++i)
        blocks.push_back(pool.Alloc(64));
    for (void* block : blocks)
        pool.Release(block);
    EXPECT_EQ(pool.Total(), 300u);
    EXPECT_EQ(pool.FreeCount(), 300u);

    // The last block released is the next handed out, with a fresh reference.
    EXPECT_EQ(RefCountOf(blocks.back()), 0);
    void* again = pool.Alloc(64);
    EXPECT_EQ(again, blocks.back());
    EXPECT_EQ(RefCountOf(again), 1);
    EXPECT_EQ(pool.Total(), 300u);
    pool.Release(again);
    EXPECT_EQ(pool.FreeCount(), 300u);
}

TEST(BlockMemoryMngTest, SecondReleaseOfABlockDoesNothing)
{
    TBlockMemoryMng pool(10);
    void* block = pool.Alloc(10);
    ASSERT_EQ(pool.FreeCount(), 99u);
    pool.Release(block);
    pool.Release(block);
    pool.Release(nullptr);
    EXPECT_EQ(pool.FreeCount(), 100u);

    // Had the block gone back twice, the next two callers would share it.
    void* first = pool.Alloc(10);
    void* second = pool.Alloc(10);
    EXPECT_EQ(first, block);
    EXPECT_NE(second, block);
}

TEST(BlockMemoryMngTest, RequestsBeyondTheBlockSizeGoToTheHeap)
{
    TBlockMemoryMng pool(832);
    void* exact = pool.Alloc(832);
    EXPECT_EQ(KindOf(exact), TBlockMemoryMng::kKindPooled);
    EXPECT_EQ(pool.Total(), 100u);

    void* larger = pool.Alloc(833);
    ASSERT_NE(larger, nullptr);
    EXPECT_EQ(KindOf(larger), TBlockMemoryMng::kKindHeap);
    EXPECT_EQ(RefCountOf(larger), 1);
    std::memset(larger, 0xAB, 833);   // the whole request is usable (checked under ASan)
    EXPECT_EQ(pool.Total(), 100u);
    EXPECT_EQ(pool.FreeCount(), 99u);

    pool.Release(larger);   // freed, not pooled (a leak shows under ASan)
    EXPECT_EQ(pool.FreeCount(), 99u);
    pool.Release(exact);
    EXPECT_EQ(pool.FreeCount(), 100u);

    EXPECT_EQ(pool.Alloc(SIZE_MAX - 4), nullptr);
}

TEST(BlockMemoryMngTest, ConcurrentAllocAndReleaseNeverShareABlock)
{
    constexpr size_t kBlockSize = 40;
    TBlockMemoryMng pool(kBlockSize);
    constexpr int kThreads = 4;
    constexpr int kRounds = 3000;
    std::vector<std::thread> threads;
    std::vector<int> faults(kThreads, 0);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&pool, &faults, t] {
            const auto mark = static_cast<uint8_t>(t + 1);
            for (int i = 0; i < kRounds; ++i) {
                // Hold a few blocks at once so the threads' working sets overlap and the pool
                // grows while others allocate; every third round also takes a heap block.
                const size_t size = i % 3 == 0 ? kBlockSize * 2 : kBlockSize;
                uint8_t* held[3];
                for (auto& block : held) {
                    block = static_cast<uint8_t*>(pool.Alloc(size));
                    std::memset(block, mark, size);
                }
                std::this_thread::yield();
                for (auto* block : held) {
                    for (size_t k = 0; k < size; ++k)
                        faults[t] += block[k] != mark;
                    pool.Release(block);
                }
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(faults[t], 0) << "thread " << t;
    EXPECT_EQ(pool.FreeCount(), pool.Total());
    // Never more than twelve pooled blocks out at once: one chunk is enough.
    EXPECT_EQ(pool.Total(), TBlockMemoryMng::kBlocksPerChunk);
}

} // namespace
} // namespace vlk
