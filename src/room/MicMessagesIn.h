#pragma once
// Server messages about mics: positions, the queue, mic changes, results, one-to-one and paid
// private mics, recording.
#include "room/MicEntry.h"
#include "room/RoomCommands.h"
#include "room/RoomMessage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vlk {

// 20122.
class TMicAddress : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kMicAddress;
    static constexpr size_t kMinLength = 20 + TMicEntry::kSize;
    TMicAddress() : TRoomMessage(kCode, kMinLength) {}
    TMicEntry Entry() const { return RecordAt<TMicEntry>(*this, 20); }
    void SetEntry(const TMicEntry& v) { setRaw(20, RecordView(v)); }
};

// 8000: every user on a mic.
class TMicPositions : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kMicPositions;
    static constexpr size_t kMinLength = 20;
    explicit TMicPositions(const std::vector<TMicEntry>& entries = {});
    bool Fits() const { return RecordsFit(kMinLength, Count(), TMicEntry::kSize); }
    int32_t Count() const { return i32(16); }
    std::vector<TMicEntry> Entries() const { return RecordsAt<TMicEntry>(kMinLength, Count()); }
};

// 8011 and 18011: the whole mic queue, in order.
template <int32_t Cmd>
class TMicQueueOf : public TRoomMessage {
public:
    static constexpr int32_t kCode = Cmd;
    static constexpr size_t kMinLength = 20;
    explicit TMicQueueOf(const std::vector<uint32_t>& users = {}) : TRoomMessage(kCode, kMinLength + 4 * users.size())
    {
        setI32(16, static_cast<int32_t>(users.size()));
        SetNumbersAt(kMinLength, users);
    }
    bool Fits() const { return RecordsFit(kMinLength, Count(), 4); }
    int32_t Count() const { return i32(16); }
    std::vector<uint32_t> Users() const { return NumbersAt(kMinLength, Count()); }
};
using TMicQueue = TMicQueueOf<roomcmd::kMicQueue>;
using TMicQueueList = TMicQueueOf<roomcmd::kMicQueueList>;

// 8033: a user got a public, queue or private mic.
class TUserGotMic : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kUserGotMic;
    static constexpr size_t kMinLength = 42;
    TUserGotMic() : TRoomMessage(kCode, kMinLength) {}
    uint32_t UserNumber() const { return u32(8); }
    void SetUserNumber(uint32_t v) { setU32(8, v); }
    // The user's own number when the user asked for the mic.
    uint32_t ActingUser() const { return u32(16); }
    void SetActingUser(uint32_t v) { setU32(16, v); }
    uint8_t PreviousMicState() const { return u8(24); }
    void SetPreviousMicState(uint8_t v) { setU8(24, v); }
    uint8_t MicState() const { return u8(25); }
    void SetMicState(uint8_t v) { setU8(25, v); }
    int16_t PanelIndex() const { return i16(26); }
    void SetPanelIndex(int16_t v) { setI16(26, v); }
    uint32_t MediaAddress() const { return u32(28); }
    void SetMediaAddress(uint32_t v) { setU32(28, v); }
    uint16_t MediaPort() const { return u16(32); }
    void SetMediaPort(uint16_t v) { setU16(32, v); }
    int32_t MicTimeUsed() const { return i32(34); }
    void SetMicTimeUsed(int32_t v) { setI32(34, v); }
    int32_t MicTimeAllowed() const { return i32(38); }
    void SetMicTimeAllowed(int32_t v) { setI32(38, v); }
};

// 9014.
class TUserLeftMic : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kUserLeftMic;
    static constexpr size_t kMinLength = 24;
    TUserLeftMic() : TRoomMessage(kCode, kMinLength) {}
    // -2 or -3: the system.
    int32_t ActingUser() const { return i32(8); }
    void SetActingUser(int32_t v) { setI32(8, v); }
    uint32_t UserNumber() const { return u32(16); }
    void SetUserNumber(uint32_t v) { setU32(16, v); }
    // -1: none.
    int16_t PanelIndex() const { return i16(20); }
    void SetPanelIndex(int16_t v) { setI16(20, v); }
    // 1 to 13.
    int16_t Reason() const { return i16(22); }
    void SetReason(int16_t v) { setI16(22, v); }
};

// 9015: a public mic opened or closed.
class TPanelMode : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kPanelMode;
    static constexpr size_t kMinLength = 19;
    TPanelMode() : TRoomMessage(kCode, kMinLength) {}
    // Set: panel mode 0; clear: panel mode 1.
    bool ModeFlag() const { return u8(16) != 0; }
    void SetModeFlag(bool v) { setU8(16, v); }
    int PanelMode() const { return ModeFlag() ? 0 : 1; }
    int16_t PanelIndex() const { return i16(17); }
    void SetPanelIndex(int16_t v) { setI16(17, v); }
};

// 8032.
class TTakenOffPrivateMic : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kTakenOffPrivateMic;
    static constexpr size_t kMinLength = 24;
    TTakenOffPrivateMic() : TRoomMessage(kCode, kMinLength) {}
    uint32_t ActingUser() const { return u32(8); }
    void SetActingUser(uint32_t v) { setU32(8, v); }
    uint32_t UserNumber() const { return u32(16); }
    void SetUserNumber(uint32_t v) { setU32(16, v); }
    // 0 done; 2, 3, 4 refusals.
    int32_t Result() const { return i32(20); }
    void SetResult(int32_t v) { setI32(20, v); }
};

// 8034.
class TMicTimeAdded : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kMicTimeAdded;
    static constexpr size_t kMinLength = 82;
    TMicTimeAdded() : TRoomMessage(kCode, kMinLength) {}
    uint32_t Holder() const { return u32(8); }
    void SetHolder(uint32_t v) { setU32(8, v); }
    std::string HolderNickname() const { return text(16, 30); }
    void SetHolderNickname(const std::string& v) { setText(16, 30, v); }
    uint32_t ActingUser() const { return u32(47); }
    void SetActingUser(uint32_t v) { setU32(47, v); }
    std::string ActingNickname() const { return text(51, 30); }
    void SetActingNickname(const std::string& v) { setText(51, 30, v); }
};

// 8035.
class TMicQueueMoved : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kMicQueueMoved;
    static constexpr size_t kMinLength = 28;
    TMicQueueMoved() : TRoomMessage(kCode, kMinLength) {}
    uint32_t ActingUser() const { return u32(8); }
    void SetActingUser(uint32_t v) { setU32(8, v); }
    uint32_t MovedUser() const { return u32(23); }
    void SetMovedUser(uint32_t v) { setU32(23, v); }
    uint8_t NewPosition() const { return u8(27); }
    void SetNewPosition(uint8_t v) { setU8(27, v); }
};

// 8098.
class TVideoClosed : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kVideoClosed;
    static constexpr size_t kMinLength = 47;
    TVideoClosed() : TRoomMessage(kCode, kMinLength) {}
    uint32_t UserNumber() const { return u32(8); }
    void SetUserNumber(uint32_t v) { setU32(8, v); }
    std::string Nickname() const { return text(16, 30); }
    void SetNickname(const std::string& v) { setText(16, 30, v); }
};

// 11107: where the local user's stream goes.
class TLocalSendAddress : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kLocalSendAddress;
    static constexpr size_t kMinLength = 43;
    TLocalSendAddress() : TRoomMessage(kCode, kMinLength) {}
    // The tag of the pending 30001.
    uint32_t RequestTag() const { return u32(32); }
    void SetRequestTag(uint32_t v) { setU32(32, v); }
    // 6, the queue: nothing to send.
    uint8_t MicState() const { return u8(36); }
    void SetMicState(uint8_t v) { setU8(36, v); }
    uint32_t MediaAddress() const { return u32(37); }
    void SetMediaAddress(uint32_t v) { setU32(37, v); }
    uint16_t MediaPort() const { return u16(41); }
    void SetMediaPort(uint16_t v) { setU16(41, v); }
};

// 30002.
class TMicRequestResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kMicRequestResult;
    static constexpr size_t kMinLength = 20;
    TMicRequestResult() : TRoomMessage(kCode, kMinLength) {}
    uint32_t RequestTag() const { return u32(8); }
    void SetRequestTag(uint32_t v) { setU32(8, v); }
    // 1 to 8.
    int32_t Result() const { return i32(16); }
    void SetResult(int32_t v) { setI32(16, v); }
};

// 30012, 30032 and the like: one result at 16.
template <int32_t Cmd>
class TMicResultOf : public TRoomMessage {
public:
    static constexpr int32_t kCode = Cmd;
    static constexpr size_t kMinLength = 20;
    TMicResultOf() : TRoomMessage(kCode, kMinLength) {}
    int32_t Result() const { return i32(16); }
    void SetResult(int32_t v) { setI32(16, v); }
};
// 0 done, 1 refused.
using TTakeDownResult = TMicResultOf<roomcmd::kTakeDownResult>;
// 1, 3, 4, 5, 6 or -2.
using THoldUpResult = TMicResultOf<roomcmd::kHoldUpResult>;

// 30034.
class TAddMicTimeResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kAddMicTimeResult;
    static constexpr size_t kMinLength = 31;
    TAddMicTimeResult() : TRoomMessage(kCode, kMinLength) {}
    // 1, 2 or 3.
    uint8_t Result() const { return u8(30); }
    void SetResult(uint8_t v) { setU8(30, v); }
};

// 30036.
class TMicQueueResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kMicQueueResult;
    static constexpr size_t kMinLength = 27;
    TMicQueueResult() : TRoomMessage(kCode, kMinLength) {}
    // 1 refused.
    uint8_t Result() const { return u8(26); }
    void SetResult(uint8_t v) { setU8(26, v); }
};

// 20090.
class TOneToOneRefused : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kOneToOneRefused;
    static constexpr size_t kMinLength = 59;
    TOneToOneRefused() : TRoomMessage(kCode, kMinLength) {}
    uint32_t RequestTag() const { return u32(51); }
    void SetRequestTag(uint32_t v) { setU32(51, v); }
    // 1 or 2.
    int32_t Reason() const { return i32(55); }
    void SetReason(int32_t v) { setI32(55, v); }
};

// 20091 from the server: another user asks for a one-to-one connection.
class TOneToOneRequested : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kOneToOneRequest;
    static constexpr size_t kMinLength = 33;
    TOneToOneRequested() : TRoomMessage(kCode, kMinLength) {}
    uint32_t RequestingUser() const { return u32(26); }
    void SetRequestingUser(uint32_t v) { setU32(26, v); }
    bool NeedsConfirmation() const { return u8(32) != 0; }
    void SetNeedsConfirmation(bool v) { setU8(32, v); }
};

// 20092 from the server.
class TOneToOneAnswered : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kOneToOneAnswer;
    static constexpr size_t kMinLength = 25;
    TOneToOneAnswered() : TRoomMessage(kCode, kMinLength) {}
    uint32_t Requester() const { return u32(8); }
    void SetRequester(uint32_t v) { setU32(8, v); }
    uint32_t AnsweringUser() const { return u32(20); }
    void SetAnsweringUser(uint32_t v) { setU32(20, v); }
    bool Accepted() const { return u8(24) != 0; }
    void SetAccepted(bool v) { setU8(24, v); }
};

// 20097.
class TOneToOneGranted : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kOneToOneGranted;
    static constexpr size_t kMinLength = 31;
    TOneToOneGranted() : TRoomMessage(kCode, kMinLength) {}
    uint32_t Requester() const { return u32(8); }
    void SetRequester(uint32_t v) { setU32(8, v); }
    // Also the request tag.
    uint32_t MicOwner() const { return u32(20); }
    void SetMicOwner(uint32_t v) { setU32(20, v); }
    uint8_t MicState() const { return u8(24); }
    void SetMicState(uint8_t v) { setU8(24, v); }
    uint32_t MediaAddress() const { return u32(25); }
    void SetMediaAddress(uint32_t v) { setU32(25, v); }
    // Sent as a signed 16-bit value; a port is read unsigned so that ports above 32767 survive.
    uint16_t MediaPort() const { return u16(29); }
    void SetMediaPort(uint16_t v) { setU16(29, v); }
};

// 19013: watching a paid private mic ended for lack of coins.
class TPaidMicEnded : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kPaidMicEnded;
    static constexpr size_t kMinLength = 92;
    TPaidMicEnded() : TRoomMessage(kCode, kMinLength) {}
    uint32_t Viewer() const { return u32(8); }
    void SetViewer(uint32_t v) { setU32(8, v); }
    std::string ViewerNickname() const { return text(12, 30); }
    void SetViewerNickname(const std::string& v) { setText(12, 30, v); }
    uint32_t MicOwner() const { return u32(57); }
    void SetMicOwner(uint32_t v) { setU32(57, v); }
    std::string OwnerNickname() const { return text(61, 30); }
    void SetOwnerNickname(const std::string& v) { setText(61, 30, v); }
};

// 21098 from the server: a viewer left the local user's private mic.
class TPrivateMicViewerLeft : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kStopWatchingPrivateMic;
    static constexpr size_t kMinLength = 61;
    TPrivateMicViewerLeft() : TRoomMessage(kCode, kMinLength) {}
    uint32_t Viewer() const { return u32(57); }
    void SetViewer(uint32_t v) { setU32(57, v); }
};

// 21099 from the server: the local user may no longer watch a private mic.
class TBannedFromPrivateMic : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kBanPrivateMicViewer;
    static constexpr size_t kMinLength = 30;
    TBannedFromPrivateMic() : TRoomMessage(kCode, kMinLength) {}
    uint32_t BannedUser() const { return u32(8); }
    void SetBannedUser(uint32_t v) { setU32(8, v); }
    uint32_t MicOwner() const { return u32(26); }
    void SetMicOwner(uint32_t v) { setU32(26, v); }
};

// 21100. The nickname's room is not fixed: it is read up to 30 bytes, never past the end.
class TViewerBanAnswer : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kViewerBanAnswer;
    static constexpr size_t kMinLength = 25;
    static constexpr size_t kNicknameRoom = 30;
    TViewerBanAnswer() : TRoomMessage(kCode, 24 + 1 + kNicknameRoom) {}
    // 1 refused.
    int32_t Result() const { return i32(16); }
    void SetResult(int32_t v) { setI32(16, v); }
    uint32_t Viewer() const { return u32(20); }
    void SetViewer(uint32_t v) { setU32(20, v); }
    std::string ViewerNickname() const { return TrailingText(24, kNicknameRoom); }
    void SetViewerNickname(const std::string& v) { setText(24, kNicknameRoom, v); }
};

// 21101.
class TPaidMicPrice : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kPaidMicPrice;
    static constexpr size_t kMinLength = 28;
    TPaidMicPrice() : TRoomMessage(kCode, kMinLength) {}
    uint32_t MicOwner() const { return u32(16); }
    void SetMicOwner(uint32_t v) { setU32(16, v); }
    int32_t GiftNumber() const { return i32(20); }
    void SetGiftNumber(int32_t v) { setI32(20, v); }
    int32_t GiftCount() const { return i32(24); }
    void SetGiftCount(int32_t v) { setI32(24, v); }
};

// 21106.
class TPaidMicGiftFailed : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kPaidMicGiftFailed;
    static constexpr size_t kMinLength = 43;
    TPaidMicGiftFailed() : TRoomMessage(kCode, kMinLength) {}
    int32_t Coins() const { return i32(38); }
    void SetCoins(int32_t v) { setI32(38, v); }
    // 1 or 19.
    uint8_t Reason() const { return u8(42); }
    void SetReason(uint8_t v) { setU8(42, v); }
};

// 81014 from the server: someone asks to record the local user's video.
class TRecordRequested : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kRecordRequest;
    static constexpr size_t kMinLength = 61;
    TRecordRequested() : TRoomMessage(kCode, kMinLength) {}
    uint32_t Requester() const { return u32(8); }
    void SetRequester(uint32_t v) { setU32(8, v); }
    uint32_t UserToRecord() const { return u32(57); }
    void SetUserToRecord(uint32_t v) { setU32(57, v); }
};

// 81015 from the server.
class TRecordAnswered : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kRecordAnswer;
    static constexpr size_t kMinLength = 26;
    TRecordAnswered() : TRoomMessage(kCode, kMinLength) {}
    uint32_t Requester() const { return u32(8); }
    void SetRequester(uint32_t v) { setU32(8, v); }
    // 1: the answering user's public panel.
    bool PublicPanel() const { return u8(20) == 1; }
    void SetPublicPanel(bool v) { setU8(20, v); }
    uint32_t AnsweringUser() const { return u32(21); }
    void SetAnsweringUser(uint32_t v) { setU32(21, v); }
    bool Consent() const { return u8(25) != 0; }
    void SetConsent(bool v) { setU8(25, v); }
};

} // namespace vlk
