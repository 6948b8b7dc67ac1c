#pragma once
// The local user's hall record. Before log-in only the number and the password digest are set;
// the log-in answer replaces the whole record with the server's copy.
#include "base/Record.h"

#include <cstdint>
#include <string>

namespace vlk {

class THallUserInfo : public TRecord {
public:
    static constexpr size_t kSize = 505;
    static constexpr uint8_t kGuestLevel = 16;

    THallUserInfo() : TRecord(kSize) {}
    THallUserInfo(const void* data, size_t size) : TRecord(data, size) {}

    int32_t UserID() const { return i32(0); }
    void SetUserID(int32_t v) { setI32(0, v); }
    std::string PasswordDigest() const { return text(4, 32); }
    void SetPasswordDigest(const std::string& v) { setText(4, 32, v); }
    std::string Nickname() const { return text(70, 30); }
    void SetNickname(const std::string& v) { setText(70, 30, v); }
    bool CameraPresent() const { return u8(117) != 0; }
    void SetCameraPresent(bool v) { setU8(117, v ? 1 : 0); }
    uint8_t Level() const { return u8(120); }
    void SetLevel(uint8_t v) { setU8(120, v); }
    uint8_t Hidden() const { return u8(413); }
    void SetHidden(uint8_t v) { setU8(413, v); }
    int32_t RoomLimit() const { return i32(478); }
    void SetRoomLimit(int32_t v) { setI32(478, v); }
    uint32_t HallKey() const { return u32(489); }
    void SetHallKey(uint32_t v) { setU32(489, v); }
    uint32_t SessionValue() const { return u32(493); }
    void SetSessionValue(uint32_t v) { setU32(493, v); }
    uint16_t SessionWord() const { return u16(497); }
    void SetSessionWord(uint16_t v) { setU16(497, v); }
};

} // namespace vlk
