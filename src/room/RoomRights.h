#pragma once
// TRoomRights: what a level or a role may do in a room. Most rights are level sets, 256-bit sets of
// levels and roles; a few are flags.
#include "base/Record.h"
#include "room/FixedRecord.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vlk {

// Bit n of byte n div 8 is element n.
class TLevelSet {
public:
    static constexpr size_t kSize = 32;

    TLevelSet() = default;
    // The first kSize bytes of bytes (missing bytes count as empty).
    static TLevelSet FromBytes(std::string_view bytes);

    bool Contains(uint8_t element) const { return (bits_[element / 8] >> (element % 8)) & 1; }
    void Insert(uint8_t element) { bits_[element / 8] |= static_cast<uint8_t>(1u << (element % 8)); }
    // A guarded operation is refused only by the set that holds element 0 alone, so an empty set
    // permits it.
    bool Permits() const;

    bool operator==(const TLevelSet& other) const = default;
    std::string_view Bytes() const { return {reinterpret_cast<const char*>(bits_.data()), bits_.size()}; }

private:
    std::array<uint8_t, kSize> bits_{};
};

class TRoomRights : public TRecord {
public:
    static constexpr size_t kSize = 368;
    static constexpr size_t kFurtherFlags = 4;

    TRoomRights() : TRecord(kSize) {}
    static std::optional<TRoomRights> Parse(const void* data, size_t size) { return ParseFixed<TRoomRights>(data, size); }

    // Field by field: flags by or, level sets by union, Number by maximum, the mic menu mask by
    // bitwise or. Bytes the client does not read are combined like flags.
    static TRoomRights Combine(const TRoomRights& a, const TRoomRights& b);

    bool CanChangeSettings() const { return u8(0) != 0; }
    void SetCanChangeSettings(bool v) { setU8(0, v); }
    bool CanPublishNotice() const { return u8(1) != 0; }
    void SetCanPublishNotice(bool v) { setU8(1, v); }
    TLevelSet AdminLevels() const { return Set(2); }
    void SetAdminLevels(const TLevelSet& v) { setRaw(2, v.Bytes()); }
    TLevelSet TempAdminLevels() const { return Set(34); }
    void SetTempAdminLevels(const TLevelSet& v) { setRaw(34, v.Bytes()); }
    // Blacklisting, and kicking with a ban.
    TLevelSet BlacklistLevels() const { return Set(66); }
    void SetBlacklistLevels(const TLevelSet& v) { setRaw(66, v.Bytes()); }
    // Kicking with an address block, and the blocked-address list.
    TLevelSet BlockAddressLevels() const { return Set(98); }
    void SetBlockAddressLevels(const TLevelSet& v) { setRaw(98, v.Bytes()); }
    TLevelSet KickLevels() const { return Set(130); }
    void SetKickLevels(const TLevelSet& v) { setRaw(130, v.Bytes()); }
    // Holding users up to a mic or taking them down.
    TLevelSet MicHoldLevels() const { return Set(194); }
    void SetMicHoldLevels(const TLevelSet& v) { setRaw(194, v.Bytes()); }
    bool CanReorderMicQueue() const { return u8(258) != 0; }
    void SetCanReorderMicQueue(bool v) { setU8(258, v); }
    bool CanAddMicTime() const { return u8(259) != 0; }
    void SetCanAddMicTime(bool v) { setU8(259, v); }
    TLevelSet MuteLevels() const { return Set(260); }
    void SetMuteLevels(const TLevelSet& v) { setRaw(260, v.Bytes()); }
    // Levels and roles of hidden users that are shown; tested for membership.
    TLevelSet ShownHiddenLevels() const { return Set(293); }
    void SetShownHiddenLevels(const TLevelSet& v) { setRaw(293, v.Bytes()); }
    TLevelSet LookUpAddressLevels() const { return Set(325); }
    void SetLookUpAddressLevels(const TLevelSet& v) { setRaw(325, v.Bytes()); }
    int32_t Number() const { return i32(357); }
    void SetNumber(int32_t v) { setI32(357, v); }
    // Bit k offers mic kind k in the mic menu.
    uint8_t MicMenuMask() const { return u8(361); }
    void SetMicMenuMask(uint8_t v) { setU8(361, v); }
    bool CanExchangeGifts() const { return u8(362) != 0; }
    void SetCanExchangeGifts(bool v) { setU8(362, v); }
    bool CanConnectPrivateMics() const { return u8(363) != 0; }
    void SetCanConnectPrivateMics(bool v) { setU8(363, v); }
    // i from 0 to kFurtherFlags - 1.
    bool FurtherFlag(size_t i) const;
    void SetFurtherFlag(size_t i, bool v);

private:
    TLevelSet Set(size_t off) const { return TLevelSet::FromBytes(raw(off, TLevelSet::kSize)); }
};

} // namespace vlk
