// Every signalling datagram goes through the decipher and the envelope check on a receive thread:
// neither may read outside the bytes received, whatever they are.
#include "net/Encrypt.h"
#include "net/Envelope.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    (void)vlk::EnvelopeValid(data, size);
    (void)vlk::CommandCode(data, size);

    std::vector<uint8_t> block(data, data + size);
    try {
        const size_t plain = vlk::Cipher().Decrypt(block, block.size());
        if (plain != block.size() || plain + 4 > size)
            __builtin_trap();
        (void)vlk::EnvelopeValid(block.data(), block.size());
        (void)vlk::CommandCode(block.data(), block.size());
        std::vector<uint8_t> again = block;
        vlk::Cipher().Encrypt(again, again.size());
        vlk::Cipher().Decrypt(again, again.size());
        if (again != block)
            __builtin_trap();
    } catch (const vlk::TCipherError&) {
    }
    return 0;
}
