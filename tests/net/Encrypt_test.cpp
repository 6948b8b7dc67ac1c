#include "net/Encrypt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vlk {
namespace {

std::vector<uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

std::vector<uint8_t> FromHex(std::string_view hex)
{
    std::vector<uint8_t> out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    return out;
}

std::vector<uint8_t> Enciphered(TEncrypt& cipher, std::vector<uint8_t> plain)
{
    cipher.Encrypt(plain, plain.size());
    return plain;
}

TEST(EncryptTest, SizesTrailerAndRoundTrip)
{
    const struct {
        size_t plain;
        size_t enciphered;
    } cases[] = {{0, 4}, {1, 12}, {7, 12}, {8, 12}, {9, 20}, {16, 20}, {17, 28}, {65528, 65532}};
    for (const auto& c : cases) {
        std::vector<uint8_t> plain(c.plain);
        for (size_t i = 0; i < plain.size(); ++i)
            plain[i] = static_cast<uint8_t>(i * 7 + 1);
        std::vector<uint8_t> block = plain;
        ASSERT_EQ(Cipher().Encrypt(block, block.size()), c.enciphered) << c.plain;
        ASSERT_EQ(block.size(), c.enciphered);
        const std::vector<uint8_t> trailer(block.end() - 4, block.end());
        EXPECT_EQ(trailer, (std::vector<uint8_t>{uint8_t(c.plain), uint8_t(c.plain >> 8), 0, 0})) << c.plain;
        EXPECT_EQ(Cipher().Decrypt(block, block.size()), c.plain);
        EXPECT_EQ(block, plain) << c.plain;
    }
    std::vector<uint8_t> empty;
    Cipher().Encrypt(empty, 0);
    EXPECT_EQ(empty, (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(EncryptTest, KnownVectors)
{
    const struct {
        std::string_view key;
        std::vector<uint8_t> plain;
        std::string_view hex;
    } cases[] = {
        // The published TEA vector: zero key, zero block -> 41EA3A0A 94BAA940 (little-endian words).
        {std::string_view("\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 16), std::vector<uint8_t>(8), "0a3aea4140a9ba9408000000"},
        {TEncrypt::kKeyText, std::vector<uint8_t>(8), "e2ab5e4455acb91c08000000"},
        // Envelope of magic 824156, command 10009, then "hall": the second block is zero-padded.
        {TEncrypt::kKeyText, FromHex("5c930c001927000068616c6c"), "1a78d10eaa82993b9c0594a14e9232fd0c000000"},
    };
    for (const auto& c : cases) {
        TEncrypt cipher(c.key);
        EXPECT_EQ(Enciphered(cipher, c.plain), FromHex(c.hex)) << c.hex;
    }
}

TEST(EncryptTest, DeterministicBlockByBlockAndKeyedByTheFirstSixteenBytes)
{
    const std::vector<uint8_t> plain = Bytes("same8bytsame8byt");
    const std::vector<uint8_t> once = Enciphered(Cipher(), plain);
    EXPECT_EQ(Enciphered(Cipher(), plain), once);
    EXPECT_TRUE(std::equal(once.begin(), once.begin() + 8, once.begin() + 8)) << "no chaining between blocks";
    EXPECT_FALSE(std::equal(plain.begin(), plain.end(), once.begin())) << "enciphered at all";

    TEncrypt sameHead(std::string(TEncrypt::kKeyText.substr(0, 16)) + "anything else here");
    EXPECT_EQ(Enciphered(sameHead, plain), once);
    TEncrypt otherKey("Pm4!rT8#qZ2$wX6&");
    EXPECT_NE(Enciphered(otherKey, plain), once);
    EXPECT_THROW(TEncrypt("fifteen bytes!!"), std::invalid_argument);
}

TEST(EncryptTest, UsesOnlyTheGivenLength)
{
    std::vector<uint8_t> block = Bytes("headtail");
    EXPECT_EQ(Cipher().Encrypt(block, 4), 12u);
    EXPECT_EQ(Cipher().Decrypt(block, block.size()), 4u);
    EXPECT_EQ(block, Bytes("head"));

    std::vector<uint8_t> withJunk = Enciphered(Cipher(), Bytes("abc"));
    withJunk.push_back(0x55);
    EXPECT_EQ(Cipher().Decrypt(withJunk, withJunk.size() - 1), 3u);
    EXPECT_EQ(withJunk, Bytes("abc"));

    std::vector<uint8_t> shortBlock(8);
    EXPECT_THROW(Cipher().Encrypt(shortBlock, 9), std::out_of_range);
    EXPECT_THROW(Cipher().Decrypt(shortBlock, 12), std::out_of_range);
}

TEST(EncryptTest, MalformedDataThrowsAndLeavesTheBlock)
{
    const std::vector<uint8_t> valid = Enciphered(Cipher(), Bytes("0123456789"));   // 16 + 4 bytes
    std::vector<uint8_t> oversized = valid;
    oversized[16] = 17;   // one byte more than the two blocks hold
    std::vector<uint8_t> huge = valid;
    huge[16] = huge[17] = huge[18] = huge[19] = 0xFF;

    const struct {
        std::vector<uint8_t> block;
        const char* what;
    } cases[] = {
        {{}, "Invalid data size!"},
        {{0, 0, 0}, "Invalid data size!"},
        {{0, 0, 0, 0, 0}, "Invalid data size!"},
        {std::vector<uint8_t>(valid.begin(), valid.end() - 1), "Invalid data size!"},
        {std::vector<uint8_t>(13), "Invalid data size!"},
        {oversized, "Invalid plain length!"},
        {huge, "Invalid plain length!"},
        {{1, 0, 0, 0}, "Invalid plain length!"},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> block = c.block;
        try {
            Cipher().Decrypt(block, block.size());
            ADD_FAILURE() << "accepted " << c.block.size() << " bytes";
        } catch (const TCipherError& e) {
            EXPECT_STREQ(e.what(), c.what) << c.block.size() << " bytes";
        }
        EXPECT_EQ(block, c.block);
    }
}

// The work buffer is shared: concurrent callers must each get their own message back.
TEST(EncryptTest, ConcurrentCallersDoNotMixMessages)
{
    constexpr int kThreads = 4;
    constexpr int kRounds = 300;
    std::vector<int> failures(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([t, &failures] {
            for (int i = 0; i < kRounds; ++i) {
                const std::vector<uint8_t> plain((t * 37 + i) % 300, static_cast<uint8_t>(t + 1));
                std::vector<uint8_t> block = plain;
                Cipher().Encrypt(block, block.size());
                Cipher().Decrypt(block, block.size());
                failures[t] += block != plain;
            }
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(failures, std::vector<int>(kThreads, 0));
}

} // namespace
} // namespace vlk
