#include "shell/TextCipher.h"

#include <openssl/evp.h>

#include <array>
#include <cstdint>
#include <memory>
#include <random>

namespace vlk {
namespace {

constexpr size_t kLengthFieldSize = 8;
constexpr size_t kBlock = 16;
constexpr std::array<uint8_t, 3> kStoredPasswordKey{0x6B, 0x2E, 0xD9};
constexpr std::string_view kHexCipherKey = "quvmot#$%*(+=";
constexpr char kUpperHex[] = "0123456789ABCDEF";
constexpr char kLowerHex[] = "0123456789abcdef";

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void AppendHex(std::string& out, uint8_t byte, const char* digits)
{
    out += digits[byte >> 4];
    out += digits[byte & 15];
}

std::array<unsigned char, kBlock> AesKey(std::string_view key)
{
    std::array<unsigned char, kBlock> k{};
    for (size_t i = 0; i < key.size() && i < kBlock; ++i)
        k[i] = static_cast<unsigned char>(key[i]);
    return k;
}

// One pass of AES-128-ECB without padding; the input is a whole number of blocks.
std::string AesEcb(std::string_view in, std::string_view key, bool encrypt)
{
    using Ctx = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;
    Ctx ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    const auto k = AesKey(key);
    std::string out(in.size() + kBlock, '\0');
    int n = 0;
    int tail = 0;
    if (!ctx || EVP_CipherInit_ex(ctx.get(), EVP_aes_128_ecb(), nullptr, k.data(), nullptr, encrypt ? 1 : 0) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1 ||
        EVP_CipherUpdate(ctx.get(), reinterpret_cast<unsigned char*>(out.data()), &n,
                         reinterpret_cast<const unsigned char*>(in.data()), static_cast<int>(in.size())) != 1 ||
        EVP_CipherFinal_ex(ctx.get(), reinterpret_cast<unsigned char*>(out.data()) + n, &tail) != 1)
        throw TDecipherError();
    out.resize(static_cast<size_t>(n + tail));
    return out;
}

} // namespace

std::string DecipherParam(std::string_view hexText, std::string_view key)
{
    // A malformed parameter is reported like a wrong block size: both mean the text was not made by us.
    if (hexText.size() % 2 != 0)
        throw TDecipherError();
    std::string bytes;
    bytes.reserve(hexText.size() / 2);
    for (size_t i = 0; i < hexText.size(); i += 2) {
        const int hi = HexValue(hexText[i]);
        const int lo = HexValue(hexText[i + 1]);
        if (hi < 0 || lo < 0)
            throw TDecipherError();
        bytes += static_cast<char>(hi * 16 + lo);
    }
    if (bytes.size() < kLengthFieldSize || (bytes.size() - kLengthFieldSize) % kBlock != 0)
        throw TDecipherError();
    return AesEcb(std::string_view(bytes).substr(kLengthFieldSize), key, false);
}

std::string EncipherParam(std::string_view plain, std::string_view key)
{
    std::string padded(plain);
    padded.resize((plain.size() + kBlock - 1) / kBlock * kBlock, '\0');
    const std::string cipher = AesEcb(padded, key, true);

    std::string out;
    uint64_t length = plain.size();
    for (size_t i = 0; i < kLengthFieldSize; ++i, length >>= 8)
        AppendHex(out, static_cast<uint8_t>(length & 0xFF), kUpperHex);
    for (char c : cipher)
        AppendHex(out, static_cast<uint8_t>(c), kUpperHex);
    return out;
}

std::string XorText(std::string_view text)
{
    std::string out(text);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(static_cast<uint8_t>(out[i]) ^ kStoredPasswordKey[(i + 1) % 3]);
    return out;
}

std::string EncodeStoredPassword(std::string_view text)
{
    std::string out;
    for (char c : XorText(text))
        AppendHex(out, static_cast<uint8_t>(c), kUpperHex);
    return out;
}

std::string DecodeStoredPassword(std::string_view text)
{
    std::string bytes;
    size_t i = 0;
    while (true) {
        while (i < text.size() && HexValue(text[i]) < 0)
            ++i;
        if (i >= text.size())
            break;
        const int hi = HexValue(text[i++]);
        if (i < text.size() && HexValue(text[i]) >= 0)
            bytes += static_cast<char>(hi * 16 + HexValue(text[i++]));
        else
            bytes += static_cast<char>(hi);
    }
    return XorText(bytes);
}

std::string HexCipher(std::string_view text, unsigned seed)
{
    unsigned s = seed & 0xFF;
    std::string out;
    AppendHex(out, static_cast<uint8_t>(s), kLowerHex);
    size_t k = 0;
    for (char c : text) {
        s = (s + static_cast<uint8_t>(c)) % 255;
        s ^= static_cast<uint8_t>(kHexCipherKey[k]);
        k = (k + 1) % kHexCipherKey.size();
        AppendHex(out, static_cast<uint8_t>(s), kLowerHex);
    }
    return out;
}

std::string HexCipher(std::string_view text)
{
    static thread_local std::mt19937 engine{std::random_device{}()};
    return HexCipher(text, std::uniform_int_distribution<unsigned>(0, 255)(engine));
}

std::string Md5Hex(std::string_view bytes)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &n, EVP_md5(), nullptr);
    std::string out;
    for (unsigned int i = 0; i < n; ++i)
        AppendHex(out, digest[i], kLowerHex);
    return out;
}

} // namespace vlk
