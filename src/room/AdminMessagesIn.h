#pragma once
// Server messages of room administration: notices of kicks, mutes and role changes, results of the
// administration requests, the management lists, room settings and the room notice.
#include "room/BlockedAddressEntry.h"
#include "room/NamedUser.h"
#include "room/RoleData.h"
#include "room/RoomCommands.h"
#include "room/RoomInfo.h"
#include "room/RoomMessage.h"
#include "room/RoomRights.h"
#include "room/RoomUser.h"
#include "room/UserProfile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vlk {

// 19002.
class TUserInformation : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kUserInformationAnswer;
    static constexpr size_t kMinLength = 20 + TUserProfile::kSize;
    TUserInformation() : TRoomMessage(kCode, kMinLength) {}
    TUserProfile Profile() const { return RecordAt<TUserProfile>(*this, 20); }
    void SetProfile(const TUserProfile& v) { setRaw(20, RecordView(v)); }
};

// 19004.
class TKickResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kKickResult;
    static constexpr size_t kMinLength = 25;
    static constexpr uint8_t kRoomClosed = 4, kLoggedInElsewhere = 10;
    TKickResult() : TRoomMessage(kCode, kMinLength) {}
    // Negative: failed.
    int32_t Result() const { return i32(16); }
    void SetResult(int32_t v) { setI32(16, v); }
    uint8_t Reason() const { return u8(20); }
    void SetReason(uint8_t v) { setU8(20, v); }
    uint32_t RequestTag() const { return u32(21); }
    void SetRequestTag(uint32_t v) { setU32(21, v); }
};

// 19010.
class TUserAddress : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kUserAddressAnswer;
    static constexpr size_t kMinLength = 32;
    TUserAddress() : TRoomMessage(kCode, kMinLength) {}
    // Also the request tag.
    uint32_t User() const { return u32(20); }
    void SetUser(uint32_t v) { setU32(20, v); }
    uint32_t Address() const { return u32(24); }
    void SetAddress(uint32_t v) { setU32(24, v); }
    // 0 found, 1 no right, -1 user absent.
    int32_t Result() const { return i32(28); }
    void SetResult(int32_t v) { setI32(28, v); }
};

// 19112.
class TMuteResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kMuteResult;
    static constexpr size_t kMinLength = 25;
    TMuteResult() : TRoomMessage(kCode, kMinLength) {}
    // 0 done, 1 user absent, 2 no right.
    int32_t Result() const { return i32(16); }
    void SetResult(int32_t v) { setI32(16, v); }
    uint8_t Operation() const { return u8(20); }
    void SetOperation(uint8_t v) { setU8(20, v); }
    uint32_t RequestTag() const { return u32(21); }
    void SetRequestTag(uint32_t v) { setU32(21, v); }
};

// 19020.
class TFavouritesResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kFavouritesResult;
    static constexpr size_t kMinLength = 20;
    TFavouritesResult() : TRoomMessage(kCode, kMinLength) {}
    uint32_t RoomNumber() const { return u32(12); }
    void SetRoomNumber(uint32_t v) { setU32(12, v); }
    // 0 done.
    int32_t Result() const { return i32(16); }
    void SetResult(int32_t v) { setI32(16, v); }
};

// 80002 (at 20) and 8013 (at 16): the whole room record.
template <int32_t Cmd, size_t Offset>
class TRoomRecordMessage : public TRoomMessage {
public:
    static constexpr int32_t kCode = Cmd;
    static constexpr size_t kMinLength = Offset + TRoomInfo::kSize;
    TRoomRecordMessage() : TRoomMessage(kCode, kMinLength) {}
    TRoomInfo Room() const { return RecordAt<TRoomInfo>(*this, Offset); }
    void SetRoom(const TRoomInfo& v) { setRaw(Offset, RecordView(v)); }
};
using TRoomSettings = TRoomRecordMessage<roomcmd::kRoomSettings, 20>;
// Its room record's address fields are the sender's; see TRoomInfo::KeepAddressOf.
using TRoomSettingsChanged = TRoomRecordMessage<roomcmd::kRoomSettingsChanged, 16>;

// 80005, 80011, 80026: numbers and nicknames for the management dialog.
template <int32_t Cmd>
class TNamedUserList : public TRoomMessage {
public:
    static constexpr int32_t kCode = Cmd;
    static constexpr size_t kMinLength = 20;
    explicit TNamedUserList(const std::vector<TNamedUser>& entries = {})
        : TRoomMessage(kCode, kMinLength + entries.size() * TNamedUser::kSize)
    {
        setI32(16, static_cast<int32_t>(entries.size()));
        SetRecordsAt(kMinLength, entries);
    }
    bool Fits() const { return RecordsFit(kMinLength, Count(), TNamedUser::kSize); }
    int32_t Count() const { return i32(16); }
    std::vector<TNamedUser> Entries() const { return RecordsAt<TNamedUser>(kMinLength, Count()); }
};
using TBlacklist = TNamedUserList<roomcmd::kBlacklist>;
using TAdminList = TNamedUserList<roomcmd::kAdminList>;
using TTempAdminList = TNamedUserList<roomcmd::kTempAdminList>;

// 80008.
class TBlockedAddressList : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kBlockedAddresses;
    static constexpr size_t kMinLength = 20;
    explicit TBlockedAddressList(const std::vector<TBlockedAddressEntry>& entries = {});
    bool Fits() const { return RecordsFit(kMinLength, Count(), TBlockedAddressEntry::kSize); }
    int32_t Count() const { return i32(16); }
    std::vector<TBlockedAddressEntry> Entries() const { return RecordsAt<TBlockedAddressEntry>(kMinLength, Count()); }
};

// 80016. The error text's room is not fixed: it is read up to 255 bytes, never past the end.
class TDeputyOwnerResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kDeputyOwnerResult;
    static constexpr size_t kMinLength = 23;
    static constexpr size_t kErrorRoom = 255;
    TDeputyOwnerResult() : TRoomMessage(kCode, 22 + 1 + kErrorRoom) {}
    uint32_t User() const { return u32(16); }
    void SetUser(uint32_t v) { setU32(16, v); }
    // 1 added, 2 removed.
    int16_t Operation() const { return i16(20); }
    void SetOperation(int16_t v) { setI16(20, v); }
    // Empty on success.
    std::string Error() const { return TrailingText(22, kErrorRoom); }
    void SetError(const std::string& v) { setText(22, kErrorRoom, v); }
};

// 80019.
class TBlockedAddressResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kBlockedAddressResult;
    static constexpr size_t kMinLength = 44;
    TBlockedAddressResult() : TRoomMessage(kCode, kMinLength) {}
    // 0 add, 1 remove.
    int16_t Operation() const { return i16(26); }
    void SetOperation(int16_t v) { setI16(26, v); }
    TBlockedAddressEntry Entry() const { return RecordAt<TBlockedAddressEntry>(*this, 28); }
    void SetEntry(const TBlockedAddressEntry& v) { setRaw(28, RecordView(v)); }
    // 0 done, 1 no right, 2 add failed, 3 remove failed.
    int32_t Result() const { return i32(40); }
    void SetResult(int32_t v) { setI32(40, v); }
};

// 80022.
class TCloseRoomResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kCloseRoomResult;
    static constexpr size_t kMinLength = 20;
    TCloseRoomResult() : TRoomMessage(kCode, kMinLength) {}
    // 0 done, -1 no right, -2 failed.
    int32_t Result() const { return i32(16); }
    void SetResult(int32_t v) { setI32(16, v); }
};

// 80102, 80104, 80106, 80108: the user and the result of an admin or blacklist change.
template <int32_t Cmd, size_t UserOffset>
class TUserChangeResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = Cmd;
    static constexpr size_t kMinLength = UserOffset + 8;
    TUserChangeResult() : TRoomMessage(kCode, kMinLength) {}
    uint32_t User() const { return u32(UserOffset); }
    void SetUser(uint32_t v) { setU32(UserOffset, v); }
    // 0 done, negative: the reason it failed.
    int32_t Result() const { return i32(UserOffset + 4); }
    void SetResult(int32_t v) { setI32(UserOffset + 4, v); }
};
using TAddAdminResult = TUserChangeResult<roomcmd::kAddAdminResult, 22>;
using TRemoveAdminResult = TUserChangeResult<roomcmd::kRemoveAdminResult, 22>;
using TAddToBlacklistResult = TUserChangeResult<roomcmd::kAddToBlacklistResult, 26>;
using TRemoveFromBlacklistResult = TUserChangeResult<roomcmd::kRemoveFromBlacklistResult, 26>;

// 8005. The reason's room is not fixed: it is read up to 255 bytes, never past the end.
class TRoomRestart : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kRoomRestart;
    static constexpr size_t kMinLength = 17;
    static constexpr size_t kReasonRoom = 255;
    TRoomRestart() : TRoomMessage(kCode, 16 + 1 + kReasonRoom) {}
    std::string Reason() const { return TrailingText(16, kReasonRoom); }
    void SetReason(const std::string& v) { setText(16, kReasonRoom, v); }
};

// 8007.
class TMuteNotice : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kMuteNotice;
    static constexpr size_t kMinLength = 23;
    TMuteNotice() : TRoomMessage(kCode, kMinLength) {}
    // 0: the system.
    uint32_t ActingUser() const { return u32(8); }
    void SetActingUser(uint32_t v) { setU32(8, v); }
    // 0 mute, 1 unmute.
    uint8_t Operation() const { return u8(16); }
    void SetOperation(uint8_t v) { setU8(16, v); }
    int16_t Minutes() const { return i16(17); }
    void SetMinutes(int16_t v) { setI16(17, v); }
    uint32_t User() const { return u32(19); }
    void SetUser(uint32_t v) { setU32(19, v); }
};

// 9005.
class TKickNotice : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kKickNotice;
    static constexpr size_t kMinLength = 21;
    static constexpr int32_t kRoomClosed = -3, kSystem = -4;
    TKickNotice() : TRoomMessage(kCode, kMinLength) {}
    // kRoomClosed, kSystem or the acting user.
    int32_t ActingUser() const { return i32(8); }
    void SetActingUser(int32_t v) { setI32(8, v); }
    // As TKick::Kind.
    uint8_t Kind() const { return u8(16); }
    void SetKind(uint8_t v) { setU8(16, v); }
    uint32_t User() const { return u32(17); }
    void SetUser(uint32_t v) { setU32(17, v); }
};

// 9018, 9019, 9020: a user's role changed; the new role's data and rights.
template <int32_t Cmd>
class TRoleNotice : public TRoomMessage {
public:
    static constexpr int32_t kCode = Cmd;
    static constexpr size_t kMinLength = 54 + TRoomRights::kSize;
    TRoleNotice() : TRoomMessage(kCode, kMinLength) {}
    uint32_t ActingUser() const { return u32(8); }
    void SetActingUser(uint32_t v) { setU32(8, v); }
    uint32_t User() const { return u32(16); }
    void SetUser(uint32_t v) { setU32(16, v); }
    TRoleData RoleData() const { return RecordAt<TRoleData>(*this, 20); }
    void SetRoleData(const TRoleData& v) { setRaw(20, RecordView(v)); }
    TRoomRights Rights() const { return RecordAt<TRoomRights>(*this, 54); }
    void SetRights(const TRoomRights& v) { setRaw(54, RecordView(v)); }
};
using TTempAdminAdded = TRoleNotice<roomcmd::kTempAdminAdded>;
using TAdminAdded = TRoleNotice<roomcmd::kAdminAdded>;
using TAdminRemoved = TRoleNotice<roomcmd::kAdminRemoved>;

// 8028.
class TTempAdminRemoved : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kTempAdminRemoved;
    static constexpr size_t kMinLength = 47 + TRoomUser::kSize;
    TTempAdminRemoved() : TRoomMessage(kCode, kMinLength) {}
    uint32_t ActingUser() const { return u32(8); }
    void SetActingUser(uint32_t v) { setU32(8, v); }
    std::string ActingNickname() const { return text(16, 30); }
    void SetActingNickname(const std::string& v) { setText(16, 30, v); }
    TRoomUser User() const { return RecordAt<TRoomUser>(*this, 47); }
    void SetUser(const TRoomUser& v) { setRaw(47, RecordView(v)); }
};

// 8888: the room notice was published.
class TRoomNotice : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kRoomNotice;
    static constexpr size_t kMinLength = 55;
    explicit TRoomNotice(std::string_view text = {});
    bool Fits() const { return TextFits(kMinLength, TextLength()); }
    uint32_t Publisher() const { return u32(8); }
    void SetPublisher(uint32_t v) { setU32(8, v); }
    std::string PublisherNickname() const { return text(20, 30); }
    void SetPublisherNickname(const std::string& v) { setText(20, 30, v); }
    int32_t TextLength() const { return i32(51); }
    std::string Text() const { return GbkText(kMinLength, TextLength()); }
};

} // namespace vlk
