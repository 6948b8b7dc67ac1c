#pragma once
// TSealRecord: one 78-byte record of Seal.dat, shared by the catalogue reader and the catalogue tool.
#include "base/Record.h"

#include <cstdint>
#include <string>

namespace vlk {

class TSealRecord : public TRecord {
public:
    static constexpr size_t kSize = 78;
    static constexpr size_t kNameRoom = 10;
    static constexpr size_t kCategoryRoom = 10;
    static constexpr size_t kPictureRoom = 20;

    TSealRecord() : TRecord(kSize) {}

    int32_t Number() const { return i32(0); }
    void SetNumber(int32_t v) { setI32(0, v); }
    std::string Name() const { return text(4, kNameRoom); }
    void SetName(const std::string& v) { setText(4, kNameRoom, v); }
    std::string Category() const { return text(15, kCategoryRoom); }
    void SetCategory(const std::string& v) { setText(15, kCategoryRoom, v); }
    // Coins per use.
    int32_t Price() const { return i32(26); }
    void SetPrice(int32_t v) { setI32(26, v); }
    // Minutes the seal stays on the member.
    int32_t Duration() const { return i32(30); }
    void SetDuration(int32_t v) { setI32(30, v); }
    // Drawn on the member's row in the user lists.
    std::string ListPicture() const { return text(36, kPictureRoom); }
    void SetListPicture(const std::string& v) { setText(36, kPictureRoom, v); }
    // Shown in the seal dialog and in chat lines.
    std::string Picture() const { return text(57, kPictureRoom); }
    void SetPicture(const std::string& v) { setText(57, kPictureRoom, v); }
};

} // namespace vlk
