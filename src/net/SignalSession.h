#pragma once
// What every owner of a signalling conversation (hall, registration, room) shares: enciphered
// reliable sending, a receive handler that deciphers and checks messages on the channel's receive
// thread and queues them, and a drain timer that hands one message per tick to the owner on the
// GUI thread, in arrival order.
#include "base/Clock.h"
#include "net/Encrypt.h"
#include "net/PackUdp.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace vlk {

class TSignalSession {
public:
    // A peer can fill the queue faster than one message per tick drains it.
    static constexpr size_t kMaxQueued = 10000;

    // Installs itself as the channel's OnReceive. The drain timer ticks every drainInterval ms
    // once started.
    TSignalSession(TPackUdp& channel, TEncrypt& cipher, uint32_t drainInterval);
    // Closes the channel first, so that no receive handler runs into a session that is gone.
    ~TSignalSession();
    TSignalSession(const TSignalSession&) = delete;
    TSignalSession& operator=(const TSignalSession&) = delete;

    // Enciphers a copy of the plain record and sends it reliably; the record is left as it was.
    void SendCommand(uint32_t address, uint16_t port, size_t length, const void* message);
    // The channel's receive handler (receive thread). Messages that do not decipher or carry no
    // valid envelope are dropped without a trace.
    void DoPackRecv(uint32_t address, uint16_t port, const uint8_t* data, size_t length);
    // One tick (GUI thread): BeforeDrain, then at most one message to OnDispatch.
    void DoQueueTimer();

    void Start() { timer_.SetEnabled(true); }
    void Stop() { timer_.SetEnabled(false); }
    size_t QueueLength() const;

    // Receive thread, after the checks and before queuing: lets the owner complete a message with
    // what only the datagram knows (the hall writes the sender's address into one message).
    std::function<void(std::vector<uint8_t>& message, uint32_t address, uint16_t port)> BeforeQueue;
    // GUI thread, at the start of every tick: the owner's own periodic work. False ends the tick
    // without taking a message (the owner is closing).
    std::function<bool()> BeforeDrain;
    // GUI thread: one deciphered, checked message and who sent it (a server answers whoever asked).
    std::function<void(const std::vector<uint8_t>& message, uint32_t address, uint16_t port)> OnDispatch;

private:
    TPackUdp& channel_;
    TEncrypt& cipher_;
    mutable std::mutex queueLock_;
    struct TQueued {
        std::vector<uint8_t> message;
        uint32_t address;
        uint16_t port;
    };
    std::deque<TQueued> queue_;
    TTimer timer_;
};

} // namespace vlk
