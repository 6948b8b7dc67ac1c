#pragma once
// TGiftRecord: one 112-byte record of Gift.dat. The catalogue reader and the catalogue tool both
// use it, so the layout is written down once.
#include "base/Record.h"

#include <cstdint>
#include <string>

namespace vlk {

// What a gift does when it is given; the dialogs show a tip per kind.
enum TGiftKind : int8_t {
    gkOrdinary = 0,
    gkShakeSite = 1,
    gkSiege = 2,
    gkLucky = 3,
    gkFireworksAdmins = 4,
    gkFireworksUsers = 5,
};

class TGiftRecord : public TRecord {
public:
    static constexpr size_t kSize = 112;
    // Room of the text fields in GBK bytes (the field size less its length byte).
    static constexpr size_t kNameRoom = 10;
    static constexpr size_t kUnitRoom = 4;
    static constexpr size_t kCategoryRoom = 10;
    static constexpr size_t kPictureRoom = 20;

    TGiftRecord() : TRecord(kSize) {}

    int32_t Number() const { return i32(0); }
    void SetNumber(int32_t v) { setI32(0, v); }
    std::string Name() const { return text(4, kNameRoom); }
    void SetName(const std::string& v) { setText(4, kNameRoom, v); }
    // The counting word shown after the count.
    std::string Unit() const { return text(15, kUnitRoom); }
    void SetUnit(const std::string& v) { setText(15, kUnitRoom, v); }
    int32_t Price() const { return i32(20); }
    void SetPrice(int32_t v) { setI32(20, v); }
    int32_t ReceiverValue() const { return i32(24); }
    void SetReceiverValue(int32_t v) { setI32(24, v); }
    std::string Category() const { return text(28, kCategoryRoom); }
    void SetCategory(const std::string& v) { setText(28, kCategoryRoom, v); }
    int8_t Kind() const { return static_cast<int8_t>(u8(39)); }
    void SetKind(int8_t v) { setU8(39, static_cast<uint8_t>(v)); }
    // 0: points, anything else: coins.
    uint8_t Currency() const { return u8(40); }
    void SetCurrency(uint8_t v) { setU8(40, v); }
    bool Coins() const { return Currency() != 0; }
    bool Quick() const { return u8(41) != 0; }
    void SetQuick(bool v) { setU8(41, v ? 1 : 0); }
    // Signed: only values above 0 put the gift on the runway.
    int8_t Runway() const { return static_cast<int8_t>(u8(42)); }
    void SetRunway(int8_t v) { setU8(42, static_cast<uint8_t>(v)); }
    bool OnRunway() const { return Runway() > 0; }
    // Highest prize multiple of a lucky gift.
    uint16_t Multiple() const { return u16(47); }
    void SetMultiple(uint16_t v) { setU16(47, v); }
    // File names under the gift picture folder.
    std::string ListPicture() const { return text(49, kPictureRoom); }
    void SetListPicture(const std::string& v) { setText(49, kPictureRoom, v); }
    std::string ChatPicture() const { return text(70, kPictureRoom); }
    void SetChatPicture(const std::string& v) { setText(70, kPictureRoom, v); }
    // File name under the Flash folder; empty: no animation.
    std::string Flash() const { return text(91, kPictureRoom); }
    void SetFlash(const std::string& v) { setText(91, kPictureRoom, v); }
};

} // namespace vlk
