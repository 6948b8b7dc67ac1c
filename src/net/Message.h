#pragma once
// A signalling message: a fixed-layout record that starts with the envelope (magic, command code).
// Message classes derive from it, fix their code and length, and add typed accessors.
#include "base/Record.h"
#include "net/Envelope.h"

#include <cstdint>
#include <optional>
#include <type_traits>

namespace vlk {

class TMessage : public TRecord {
public:
    // Received bytes, kept whole.
    TMessage(const void* data, size_t size) : TRecord(data, size) {}

    int32_t Magic() const { return i32(0); }
    int32_t Code() const { return i32(4); }
    // Whether variable parts (counts, lengths read from the message) fit the bytes received.
    bool Fits() const { return true; }

protected:
    TMessage(int32_t code, size_t length) : TRecord(length)
    {
        setI32(0, kEnvelopeMagic);
        setI32(4, code);
    }
};

// The message of type M in received bytes, or nothing when they are too short for the fields M
// reads, carry another code, or announce more than they hold.
template <class M>
std::optional<M> ParseAs(const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (size < M::kMinLength || !EnvelopeValid(bytes, size) || CommandCode(bytes, size) != M::kCode)
        return std::nullopt;
    std::optional<M> message;
    if constexpr (std::is_constructible_v<M, const void*, size_t>) {
        message.emplace(data, size);
    } else {
        message.emplace();
        static_cast<TRecord&>(*message) = TRecord(data, size);
    }
    if (!message->Fits())
        return std::nullopt;
    return message;
}

} // namespace vlk
