#pragma once
// TGift: the gift catalogue from Picture/Gift/Gift.dat, loaded once at the hall log-in and shared by
// every room. A missing or unreadable file leaves it empty (with a log line): the rooms then offer
// no gifts and show unknown gift numbers without name or picture.
#include "gifts/Catalogue.h"
#include "gifts/GiftRecord.h"

#include <string>
#include <vector>

namespace vlk {

class TGift : public TCatalogue<TGiftRecord> {
public:
    static constexpr const char* kFolder = "Picture/Gift/";
    static constexpr const char* kFileName = "Picture/Gift/Gift.dat";
    static constexpr const char* kFlashFolder = "Picture/Flash/";

    // appPath: the program directory with its trailing '/'.
    explicit TGift(const std::string& appPath);

    const TGiftRecord* FindGift(int32_t number) const { return Find(number); }
    int GiftCount() const { return Count(); }
    const TGiftRecord* GiftAt(int index) const { return At(index); }
    const std::vector<const TGiftRecord*>& QuickGifts() const { return quick_; }

    // Full paths of a gift's files.
    std::string ListPicturePath(const TGiftRecord& gift) const;
    std::string ChatPicturePath(const TGiftRecord& gift) const;
    // Empty when the gift has no animation.
    std::string FlashPath(const TGiftRecord& gift) const;

private:
    std::vector<const TGiftRecord*> quick_;
};

} // namespace vlk
