#pragma once
// Client messages of room administration: user information, kicks, mutes, roles, lists, notices and
// room settings.
#include "room/RoomCommands.h"
#include "room/RoomInfo.h"
#include "room/RoomMessage.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vlk {

using TUserInformationRequest = TUserRequest<roomcmd::kUserInformation>;
using TAddTempAdmin = TUserRequest<roomcmd::kAddTempAdmin>;
using TRemoveTempAdmin = TUserRequest<roomcmd::kRemoveTempAdmin>;
using TAddAdmin = TUserRequest<roomcmd::kAddAdmin>;
using TRemoveAdmin = TUserRequest<roomcmd::kRemoveAdmin>;
using TAddToBlacklist = TUserRequest<roomcmd::kAddToBlacklist>;
using TRemoveFromBlacklist = TUserRequest<roomcmd::kRemoveFromBlacklist>;

using TAddToFavourites = THeaderOnlyRequest<roomcmd::kAddToFavourites>;
using TRoomSettingsRequest = THeaderOnlyRequest<roomcmd::kRoomSettingsRequest>;
using TBlacklistRequest = THeaderOnlyRequest<roomcmd::kBlacklistRequest>;
using TBlockedAddressesRequest = THeaderOnlyRequest<roomcmd::kBlockedAddressesRequest>;
using TAdminListRequest = THeaderOnlyRequest<roomcmd::kAdminListRequest>;
using TTempAdminListRequest = THeaderOnlyRequest<roomcmd::kTempAdminListRequest>;

// 19009: H0 without a tag.
class TUserAddressRequest : public TRoomShortRequest {
public:
    static constexpr int32_t kCode = roomcmd::kUserAddress;
    static constexpr size_t kLength = 32, kMinLength = kLength;
    explicit TUserAddressRequest(const TRoomIdentity& id = {}) : TRoomShortRequest(kCode, kLength, id) {}
    uint32_t User() const { return u32(20); }
    void SetUser(uint32_t v) { setU32(20, v); }
};

// 19003.
class TKick : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kKick;
    static constexpr size_t kLength = 31, kMinLength = kLength;
    static constexpr uint8_t kKickOnly = 1, kKickAndBan = 2, kKickAndBlockAddress = 3;
    explicit TKick(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    uint8_t Kind() const { return u8(26); }
    void SetKind(uint8_t v) { setU8(26, v); }
    uint32_t User() const { return u32(27); }
    void SetUser(uint32_t v) { setU32(27, v); }
};

// 19111.
class TMute : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kMute;
    static constexpr size_t kLength = 31, kMinLength = kLength;
    static constexpr uint8_t kMuteUser = 0, kUnmuteUser = 1;
    explicit TMute(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    uint8_t Operation() const { return u8(26); }
    void SetOperation(uint8_t v) { setU8(26, v); }
    uint32_t User() const { return u32(27); }
    void SetUser(uint32_t v) { setU32(27, v); }
};

// 10187: publishes the room notice; the text follows the fixed part.
class TPublishNotice : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kPublishNotice;
    static constexpr size_t kMinLength = 34;
    explicit TPublishNotice(const TRoomIdentity& id = {}, std::string_view text = {});
    bool Fits() const { return TextFits(kMinLength, TextLength()); }
    uint32_t TextLength() const { return u32(30); }
    std::string Text() const { return GbkText(kMinLength, TextLength()); }
};

// 80003.
class TSaveRoomSettings : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kSaveRoomSettings;
    static constexpr size_t kLength = 26 + TRoomInfo::kSize, kMinLength = kLength;
    explicit TSaveRoomSettings(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    TRoomInfo Room() const { return RecordAt<TRoomInfo>(*this, 26); }
    void SetRoom(const TRoomInfo& v) { setRaw(26, RecordView(v)); }
};

// 80009: adds or removes a blocked address range.
class TChangeBlockedAddress : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kBlockedAddress;
    static constexpr size_t kLength = 44, kMinLength = kLength;
    static constexpr int16_t kAdd = 0, kRemove = 1;
    explicit TChangeBlockedAddress(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    int16_t Operation() const { return i16(26); }
    void SetOperation(int16_t v) { setI16(26, v); }
    // 0 when adding.
    uint32_t EntryNumber() const { return u32(28); }
    void SetEntryNumber(uint32_t v) { setU32(28, v); }
    // Network order; 0 when removing.
    uint32_t StartAddress() const { return u32(32); }
    void SetStartAddress(uint32_t v) { setU32(32, v); }
    uint32_t EndAddress() const { return u32(36); }
    void SetEndAddress(uint32_t v) { setU32(36, v); }
};

// 80014.
class TSetRoomTextStyle : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kRoomTextStyle;
    static constexpr size_t kLength = 127, kMinLength = kLength;
    explicit TSetRoomTextStyle(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    std::string Style() const { return text(26, 100); }
    void SetStyle(const std::string& v) { setText(26, 100, v); }
};

// 80015: adds or removes a deputy owner.
class TChangeDeputyOwner : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kDeputyOwner;
    static constexpr size_t kLength = 32, kMinLength = kLength;
    static constexpr int16_t kAdd = 1, kRemove = 2;
    explicit TChangeDeputyOwner(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    int16_t Operation() const { return i16(26); }
    void SetOperation(int16_t v) { setI16(26, v); }
    uint32_t User() const { return u32(28); }
    void SetUser(uint32_t v) { setU32(28, v); }
};

} // namespace vlk
