#pragma once
// TGift: the gift catalogue from Picture/Gift/Gift.dat, loaded once at the hall log-in and shared by
// every room. A missing or unreadable file leaves it empty (with a log line): the rooms then offer
// no gifts and show unknown gift numbers without name or picture.
#include "gifts/GiftRecord.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace vlk {

class TGift {
public:
    static constexpr const char* kFolder = "Picture/Gift/";
    static constexpr const char* kFileName = "Picture/Gift/Gift.dat";
    static constexpr const char* kFlashFolder = "Picture/Flash/";

    // appPath: the program directory with its trailing '/'.
    explicit TGift(const std::string& appPath);

    // The first record in file order with that number, or nullptr.
    const TGiftRecord* FindGift(int32_t number) const;
    int GiftCount() const { return static_cast<int>(gifts_.size()); }
    const TGiftRecord* GiftAt(int index) const;
    int CategoryCount() const { return static_cast<int>(categories_.size()); }
    // Empty for an index outside the names.
    std::string CategoryName(int index) const;
    const std::vector<const TGiftRecord*>& QuickGifts() const { return quick_; }

    // Full paths of a gift's files.
    std::string ListPicturePath(const TGiftRecord& gift) const;
    std::string ChatPicturePath(const TGiftRecord& gift) const;
    // Empty when the gift has no animation.
    std::string FlashPath(const TGiftRecord& gift) const;

private:
    std::string appPath_;
    std::vector<TGiftRecord> gifts_;
    std::unordered_map<int32_t, size_t> byNumber_;
    std::vector<std::string> categories_;
    std::vector<const TGiftRecord*> quick_;
};

} // namespace vlk
