#include "net/Encrypt.h"

namespace vlk {
namespace {

constexpr uint32_t kDelta = 0x9E3779B9;
constexpr int kCycles = 32;

uint32_t LoadLe(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void StoreLe(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

void EncipherBlock(uint8_t* block, const std::array<uint32_t, 4>& k)
{
    uint32_t v0 = LoadLe(block);
    uint32_t v1 = LoadLe(block + 4);
    uint32_t sum = 0;
    for (int i = 0; i < kCycles; ++i) {
        sum += kDelta;
        v0 += ((v1 << 4) + k[0]) ^ (v1 + sum) ^ ((v1 >> 5) + k[1]);
        v1 += ((v0 << 4) + k[2]) ^ (v0 + sum) ^ ((v0 >> 5) + k[3]);
    }
    StoreLe(block, v0);
    StoreLe(block + 4, v1);
}

void DecipherBlock(uint8_t* block, const std::array<uint32_t, 4>& k)
{
    uint32_t v0 = LoadLe(block);
    uint32_t v1 = LoadLe(block + 4);
    uint32_t sum = kDelta * kCycles;
    for (int i = 0; i < kCycles; ++i) {
        v1 -= ((v0 << 4) + k[2]) ^ (v0 + sum) ^ ((v0 >> 5) + k[3]);
        v0 -= ((v1 << 4) + k[0]) ^ (v1 + sum) ^ ((v1 >> 5) + k[1]);
        sum -= kDelta;
    }
    StoreLe(block, v0);
    StoreLe(block + 4, v1);
}

void CheckLength(const std::vector<uint8_t>& block, size_t length)
{
    if (length > block.size())
        throw std::out_of_range("cipher length beyond the block");
}

} // namespace

TEncrypt::TEncrypt(std::string_view keyText)
{
    if (keyText.size() < key_.size() * 4)
        throw std::invalid_argument("cipher key text shorter than 16 bytes");
    for (size_t i = 0; i < key_.size(); ++i)
        key_[i] = LoadLe(reinterpret_cast<const uint8_t*>(keyText.data()) + 4 * i);
}

size_t TEncrypt::Encrypt(std::vector<uint8_t>& block, size_t length)
{
    CheckLength(block, length);
    std::lock_guard guard(lock_);
    const size_t padded = (length + kBlockSize - 1) / kBlockSize * kBlockSize;
    work_.assign(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(length));
    work_.resize(padded + kTrailerSize, 0);
    for (size_t offset = 0; offset < padded; offset += kBlockSize)
        EncipherBlock(work_.data() + offset, key_);
    StoreLe(work_.data() + padded, static_cast<uint32_t>(length));
    block = work_;
    return block.size();
}

size_t TEncrypt::Decrypt(std::vector<uint8_t>& block, size_t length)
{
    CheckLength(block, length);
    if (length < kTrailerSize || (length - kTrailerSize) % kBlockSize != 0)
        throw TCipherError("Invalid data size!");
    std::lock_guard guard(lock_);
    const size_t padded = length - kTrailerSize;
    // The trailer comes from the wire: it may not claim bytes that were never sent.
    const size_t plain = LoadLe(block.data() + padded);
    if (plain > padded)
        throw TCipherError("Invalid plain length!");
    work_.assign(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(padded));
    for (size_t offset = 0; offset < padded; offset += kBlockSize)
        DecipherBlock(work_.data() + offset, key_);
    work_.resize(plain);
    block = work_;
    return plain;
}

TEncrypt& Cipher()
{
    static TEncrypt cipher;
    return cipher;
}

} // namespace vlk
