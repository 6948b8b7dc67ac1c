#pragma once
// TEventOverTime: the room's requests that wait for an answer from the room server. A request that
// stays unanswered for kTimeout ms is dropped and reported once through the expiry handler. It has
// no timer of its own: the room window's queue timer calls CheckExpired on every tick.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vlk {

class TEventOverTime {
public:
    static constexpr uint32_t kTimeout = 10000;
    using TExpiryHandler = std::function<void(const std::string& text)>;

    // The position of the pending entry for (command, tag). An entry already pending keeps its
    // position and its registration tick, so repeating a request does not put its time-out off.
    int Register(int32_t command, int32_t tag);
    // Drops the first pending entry for (command, tag); whether there was one.
    bool Remove(int32_t command, int32_t tag);
    // The answer answerCode carrying tag removes the request it answers; whether one was pending.
    bool RemoveAnswered(int32_t answerCode, int32_t tag);
    // Drops every entry registered kTimeout ms ago or earlier and reports each, the last
    // registered first.
    void CheckExpired();
    void Clear() { entries_.clear(); }
    void SetExpiryHandler(TExpiryHandler handler) { onExpired_ = std::move(handler); }
    int Count() const { return static_cast<int>(entries_.size()); }

    // The line reported when the request (command, tag) expires.
    static std::string ExpiryText(int32_t command, int32_t tag);
    // The request that answerCode answers; 0 for a code that answers none.
    static int32_t AnsweredRequest(int32_t answerCode);

private:
    struct TEntry {
        int32_t Command;
        int32_t Tag;
        uint32_t Tick;
    };

    std::vector<TEntry> entries_;
    TExpiryHandler onExpired_;
};

} // namespace vlk
