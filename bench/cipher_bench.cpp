// Throughput of the signalling cipher (TEA, ECB) against AES-128-ECB from libcrypto on the same
// buffers; each TEA case is reported as a ratio to the AES case of the same size.
#include "RatioReporter.h"

#include "net/Encrypt.h"

#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<uint8_t> Buffer(size_t size)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(i * 31 + 7);
    return bytes;
}

void TeaEncrypt(benchmark::State& state)
{
    const auto size = static_cast<size_t>(state.range(0));
    std::vector<uint8_t> block = Buffer(size);
    // After the first pass the block holds the enciphered form; its first `size` bytes serve
    // as the next plain message, so no copy is timed.
    for (auto _ : state)
        benchmark::DoNotOptimize(vlk::Cipher().Encrypt(block, size));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void TeaDecrypt(benchmark::State& state)
{
    const auto size = static_cast<size_t>(state.range(0));
    std::vector<uint8_t> enciphered = Buffer(size);
    vlk::Cipher().Encrypt(enciphered, size);
    std::vector<uint8_t> block;
    // Decrypt consumes the block, so each pass starts from a copy (one memcpy, far below TEA).
    for (auto _ : state) {
        block = enciphered;
        benchmark::DoNotOptimize(vlk::Cipher().Decrypt(block, block.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void Aes(benchmark::State& state, bool encrypt)
{
    const auto size = static_cast<size_t>(state.range(0));
    const std::vector<uint8_t> in = Buffer(size);
    std::vector<uint8_t> out(size);
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    const auto* key = reinterpret_cast<const unsigned char*>(vlk::TEncrypt::kKeyText.data());
    if (!EVP_CipherInit_ex(ctx.get(), EVP_aes_128_ecb(), nullptr, key, nullptr, encrypt ? 1 : 0) ||
        !EVP_CIPHER_CTX_set_padding(ctx.get(), 0)) {
        state.SkipWithError("AES-128-ECB unavailable");
        return;
    }
    for (auto _ : state) {
        int written = 0;
        EVP_CipherUpdate(ctx.get(), out.data(), &written, in.data(), static_cast<int>(size));
        benchmark::DoNotOptimize(written);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void AesEncrypt(benchmark::State& state) { Aes(state, true); }
void AesDecrypt(benchmark::State& state) { Aes(state, false); }

BENCHMARK(TeaEncrypt)->Arg(64)->Arg(1024)->Arg(64 * 1024);
BENCHMARK(AesEncrypt)->Arg(64)->Arg(1024)->Arg(64 * 1024);
BENCHMARK(TeaDecrypt)->Arg(64)->Arg(1024)->Arg(64 * 1024);
BENCHMARK(AesDecrypt)->Arg(64)->Arg(1024)->Arg(64 * 1024);

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const char* size : {"64", "1024", "65536"}) {
        pairs.emplace_back(std::string("TeaEncrypt/") + size, std::string("AesEncrypt/") + size);
        pairs.emplace_back(std::string("TeaDecrypt/") + size, std::string("AesDecrypt/") + size);
    }
    return vlk::bench::RunWithRatios(argc, argv, std::move(pairs));
}
