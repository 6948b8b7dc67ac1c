#pragma once
// The first eight bytes of every signalling message: the magic number and the command code,
// both little-endian 32-bit values.
#include <cstddef>
#include <cstdint>

namespace vlk {

inline constexpr int32_t kEnvelopeMagic = 824156;
inline constexpr int32_t kMaxCommandCode = 99999;
inline constexpr size_t kEnvelopeSize = 8;

// True when the data holds a whole envelope with the magic and a command code of 0..99999.
bool EnvelopeValid(const uint8_t* data, size_t length);
// The command code at offset 4; -1 (never a valid code) when the data is too short to hold one.
int32_t CommandCode(const uint8_t* data, size_t length);

} // namespace vlk
