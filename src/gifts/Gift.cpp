#include "gifts/Gift.h"

#include "gifts/CatalogueFile.h"

#include <algorithm>

namespace vlk {

TGift::TGift(const std::string& appPath)
    : appPath_(appPath), gifts_(ReadRecords<TGiftRecord>(appPath + kFileName))
{
    for (size_t i = 0; i < gifts_.size(); ++i) {
        const TGiftRecord& gift = gifts_[i];
        // A repeated number stays listed but lookups find its first occurrence.
        byNumber_.emplace(gift.Number(), i);
        std::string category = gift.Category();
        if (std::find(categories_.begin(), categories_.end(), category) == categories_.end())
            categories_.push_back(std::move(category));
        if (gift.Quick())
            quick_.push_back(&gift);
    }
}

const TGiftRecord* TGift::FindGift(int32_t number) const
{
    const auto it = byNumber_.find(number);
    return it == byNumber_.end() ? nullptr : &gifts_[it->second];
}

const TGiftRecord* TGift::GiftAt(int index) const
{
    return index >= 0 && index < GiftCount() ? &gifts_[static_cast<size_t>(index)] : nullptr;
}

std::string TGift::CategoryName(int index) const
{
    return index >= 0 && index < CategoryCount() ? categories_[static_cast<size_t>(index)] : std::string();
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
