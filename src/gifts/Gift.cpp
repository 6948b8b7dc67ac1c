#include "gifts/Gift.h"

namespace vlk {

TGift::TGift(const std::string& appPath) : TCatalogue(appPath, kFileName)
{
    for (const TGiftRecord& gift : records_)
        if (gift.Quick())
            quick_.push_back(&gift);
}

std::string TGift::ListPicturePath(const TGiftRecord& gift) const
{
    return CataloguePath(appPath_ + kFolder, gift.ListPicture());
}

std::string TGift::ChatPicturePath(const TGiftRecord& gift) const
{
    return CataloguePath(appPath_ + kFolder, gift.ChatPicture());
}

std::string TGift::FlashPath(const TGiftRecord& gift) const
{
    const std::string flash = gift.Flash();
    return flash.empty() ? std::string() : CataloguePath(appPath_ + kFlashFolder, flash);
}

} // namespace vlk
