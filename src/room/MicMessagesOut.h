#pragma once
// Client messages about mics: requests, the queue, one-to-one and paid private mics, recording.
#include "room/RoomCommands.h"
#include "room/RoomMessage.h"

#include <cstdint>

namespace vlk {

// 20120: H0; the connection tag follows the user.
class TMicAddressRequest : public TRoomShortRequest {
public:
    static constexpr int32_t kCode = roomcmd::kMicAddressRequest;
    static constexpr size_t kLength = 30, kMinLength = kLength;
    explicit TMicAddressRequest(const TRoomIdentity& id = {});
    uint32_t User() const { return u32(20); }
    void SetUser(uint32_t v) { setU32(20, v); }
    TConnectionTag Tag() const { return {u32(24), u16(28)}; }
};

// 30001.
class TMicRequest : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kMicRequest;
    static constexpr size_t kLength = 31, kMinLength = kLength;
    // The kind that asks for a paid private mic, the only one that carries a gift.
    static constexpr uint8_t kPaidKind = 5;
    explicit TMicRequest(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    // 1 to 6.
    uint8_t MicKind() const { return u8(26); }
    void SetMicKind(uint8_t v) { setU8(26, v); }
    int16_t GiftNumber() const { return i16(27); }
    void SetGiftNumber(int16_t v) { setI16(27, v); }
    int16_t GiftCount() const { return i16(29); }
    void SetGiftCount(int16_t v) { setI16(29, v); }
};

using TLeaveMic = THeaderOnlyRequest<roomcmd::kLeaveMic>;
using TTakeDown = TUserRequest<roomcmd::kTakeDown>;

// 30031.
class THoldUp : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kHoldUp;
    static constexpr size_t kLength = 37, kMinLength = kLength;
    explicit THoldUp(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    uint32_t User() const { return u32(33); }
    void SetUser(uint32_t v) { setU32(33, v); }
};

// 30033.
class TAddMicTime : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kAddMicTime;
    static constexpr size_t kLength = 31, kMinLength = kLength;
    explicit TAddMicTime(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    uint32_t User() const { return u32(26); }
    void SetUser(uint32_t v) { setU32(26, v); }
};

// 30035.
class TMoveInMicQueue : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kMoveInMicQueue;
    static constexpr size_t kLength = 40, kMinLength = kLength;
    static constexpr uint8_t kToTop = 0, kUp = 1, kDown = 2, kToBottom = 3;
    explicit TMoveInMicQueue(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    uint32_t User() const { return u32(31); }
    void SetUser(uint32_t v) { setU32(31, v); }
    uint32_t QueueIndex() const { return u32(35); }
    void SetQueueIndex(uint32_t v) { setU32(35, v); }
    uint8_t Move() const { return u8(39); }
    void SetMove(uint8_t v) { setU8(39, v); }
};

// 20091.
class TOneToOneRequest : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kOneToOneRequest;
    static constexpr size_t kLength = 33, kMinLength = kLength;
    explicit TOneToOneRequest(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    uint32_t User() const { return u32(26); }
    void SetUser(uint32_t v) { setU32(26, v); }
};

// 20092: H0 without a tag.
class TOneToOneAnswer : public TRoomShortRequest {
public:
    static constexpr int32_t kCode = roomcmd::kOneToOneAnswer;
    static constexpr size_t kLength = 25, kMinLength = kLength;
    explicit TOneToOneAnswer(const TRoomIdentity& id = {}) : TRoomShortRequest(kCode, kLength, id) {}
    uint32_t RequestingUser() const { return u32(20); }
    void SetRequestingUser(uint32_t v) { setU32(20, v); }
    bool Accept() const { return u8(24) != 0; }
    void SetAccept(bool v) { setU8(24, v); }
};

// 21105: H0; the connection tag follows the gift.
class TWatchPaidMic : public TRoomShortRequest {
public:
    static constexpr int32_t kCode = roomcmd::kWatchPaidMic;
    static constexpr size_t kLength = 43, kMinLength = kLength;
    explicit TWatchPaidMic(const TRoomIdentity& id = {});
    uint32_t MicOwner() const { return u32(20); }
    void SetMicOwner(uint32_t v) { setU32(20, v); }
    int32_t GiftNumber() const { return i32(24); }
    void SetGiftNumber(int32_t v) { setI32(24, v); }
    int32_t GiftCount() const { return i32(28); }
    void SetGiftCount(int32_t v) { setI32(28, v); }
    TConnectionTag Tag() const { return {u32(32), u16(36)}; }
};

// 21098: H0 without a tag.
class TStopWatchingPrivateMic : public TRoomShortRequest {
public:
    static constexpr int32_t kCode = roomcmd::kStopWatchingPrivateMic;
    static constexpr size_t kLength = 61, kMinLength = kLength;
    explicit TStopWatchingPrivateMic(const TRoomIdentity& id = {}) : TRoomShortRequest(kCode, kLength, id) {}
    uint32_t MicOwner() const { return u32(57); }
    void SetMicOwner(uint32_t v) { setU32(57, v); }
};

// 21099: H0 without a tag.
class TBanPrivateMicViewer : public TRoomShortRequest {
public:
    static constexpr int32_t kCode = roomcmd::kBanPrivateMicViewer;
    static constexpr size_t kLength = 30, kMinLength = kLength;
    explicit TBanPrivateMicViewer(const TRoomIdentity& id = {}) : TRoomShortRequest(kCode, kLength, id) {}
    uint32_t Viewer() const { return u32(26); }
    void SetViewer(uint32_t v) { setU32(26, v); }
};

// 81014.
class TRecordRequest : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kRecordRequest;
    static constexpr size_t kLength = 92, kMinLength = kLength;
    explicit TRecordRequest(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    uint32_t User() const { return u32(57); }
    void SetUser(uint32_t v) { setU32(57, v); }
};

// 81015: no hall key and no tag; the local mic state sits where the tag would be.
class TRecordAnswer : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kRecordAnswer;
    static constexpr size_t kLength = 26, kMinLength = kLength;
    explicit TRecordAnswer(const TRoomIdentity& id = {});
    int32_t LocalUser() const { return i32(8); }
    int32_t RoomNumber() const { return i32(12); }
    uint8_t LocalMicState() const { return u8(20); }
    void SetLocalMicState(uint8_t v) { setU8(20, v); }
    uint32_t RequestingUser() const { return u32(21); }
    void SetRequestingUser(uint32_t v) { setU32(21, v); }
    bool Consent() const { return u8(25) != 0; }
    void SetConsent(bool v) { setU8(25, v); }
};

} // namespace vlk
