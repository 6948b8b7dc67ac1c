#pragma once
// TUserProfile: a user's personal data as the server keeps it.
#include "base/Record.h"
#include "room/FixedRecord.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vlk {

class TUserProfile : public TRecord {
public:
    static constexpr size_t kSize = 531;

    TUserProfile() : TRecord(kSize) {}
    static std::optional<TUserProfile> Parse(const void* data, size_t size) { return ParseFixed<TUserProfile>(data, size); }

    int32_t UserNumber() const { return i32(0); }
    void SetUserNumber(int32_t v) { setI32(0, v); }
    std::string Nickname() const { return text(4, 30); }
    void SetNickname(const std::string& v) { setText(4, 30, v); }
    // 0 male, any other value female.
    int16_t Sex() const { return i16(39); }
    void SetSex(int16_t v) { setI16(39, v); }
    bool Female() const { return Sex() != 0; }
    int16_t Age() const { return i16(41); }
    void SetAge(int16_t v) { setI16(41, v); }
    std::string Country() const { return text(54, 50); }
    void SetCountry(const std::string& v) { setText(54, 50, v); }
    std::string Province() const { return text(105, 50); }
    void SetProvince(const std::string& v) { setText(105, 50, v); }
    std::string Telephone() const { return text(156, 30); }
    void SetTelephone(const std::string& v) { setText(156, 30, v); }
    std::string MobilePhone() const { return text(187, 30); }
    void SetMobilePhone(const std::string& v) { setText(187, 30, v); }
    std::string Email() const { return text(218, 30); }
    void SetEmail(const std::string& v) { setText(218, 30, v); }
    std::string QQNumber() const { return text(249, 30); }
    void SetQQNumber(const std::string& v) { setText(249, 30, v); }
    std::string Note() const { return text(280, 250); }
    void SetNote(const std::string& v) { setText(280, 250, v); }
};

} // namespace vlk
