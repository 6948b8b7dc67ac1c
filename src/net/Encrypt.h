#pragma once
// The signalling cipher: TEA (32 cycles) over 8-byte blocks, electronic code book, the plain
// message zero-padded to whole blocks and followed by its length as a 4-byte trailer in clear.
// One instance serves the whole process; every operation works in one buffer under one lock.
#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace vlk {

// Raised by Decrypt for data that is not a well-formed enciphered message.
class TCipherError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TEncrypt {
public:
    static constexpr std::string_view kKeyText = "Pm4!rT8#qZ2$wX6%vB9&nL3*kD7^hJ5@";
    static constexpr size_t kBlockSize = 8;
    static constexpr size_t kTrailerSize = 4;

    // Only the first 16 bytes of the key text count; a shorter text is refused.
    explicit TEncrypt(std::string_view keyText = kKeyText);
    TEncrypt(const TEncrypt&) = delete;
    TEncrypt& operator=(const TEncrypt&) = delete;

    // Replace the block by the enciphered form of its first `length` bytes; returns the new size.
    size_t Encrypt(std::vector<uint8_t>& block, size_t length);
    // Replace the block by the plain message held in its first `length` bytes; returns the new
    // size. Throws TCipherError for a length that is not 4 plus whole blocks, or a trailer that
    // claims more bytes than were deciphered.
    size_t Decrypt(std::vector<uint8_t>& block, size_t length);

private:
    std::array<uint32_t, 4> key_{};
    std::mutex lock_;
    std::vector<uint8_t> work_;
};

// The process-wide cipher shared by every signalling owner.
TEncrypt& Cipher();

} // namespace vlk
