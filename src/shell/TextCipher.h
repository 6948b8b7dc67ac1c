#pragma once
// The small ciphers of the shell: the command-line and server-list parameter cipher, the stored
// password scrambler, the media clients' hex-string cipher and the password digest.
#include <stdexcept>
#include <string>
#include <string_view>

namespace vlk {

// Raised for a parameter that is not hexadecimal text of whole 16-byte blocks.
class TDecipherError : public std::runtime_error {
public:
    TDecipherError() : std::runtime_error("Invalid buffer size for decryption") {}
};

// Hexadecimal pairs: an 8-byte length field, then AES-128-ECB blocks under the key text (its bytes
// zero-padded or cut to 16). Returns every deciphered byte, the zero padding of the last block included.
std::string DecipherParam(std::string_view hexText, std::string_view key);
// The inverse, for the launcher and the server-list module: upper-case hexadecimal text.
std::string EncipherParam(std::string_view plain, std::string_view key);

std::string XorText(std::string_view text);
std::string EncodeStoredPassword(std::string_view text);
std::string DecodeStoredPassword(std::string_view text);

// seed is the random first byte; the overload without it draws one.
std::string HexCipher(std::string_view text, unsigned seed);
std::string HexCipher(std::string_view text);

// MD5 of the bytes as 32 lower-case hexadecimal digits.
std::string Md5Hex(std::string_view bytes);

// Key texts of the two log-in arguments and of the server-list entries.
inline constexpr std::string_view kUserIdParamKey = "ploverdinket";
inline constexpr std::string_view kPasswordParamKey = "wimzel";
inline constexpr std::string_view kServerListKey = "rimko#((*";

} // namespace vlk
