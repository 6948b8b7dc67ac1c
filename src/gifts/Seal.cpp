#include "gifts/Seal.h"

#include "gifts/CatalogueFile.h"

#include <algorithm>

namespace vlk {

TSeal::TSeal(const std::string& appPath)
    : appPath_(appPath), seals_(ReadRecords<TSealRecord>(appPath + kFileName))
{
    for (size_t i = 0; i < seals_.size(); ++i) {
        byNumber_.emplace(seals_[i].Number(), i);
        std::string category = seals_[i].Category();
        if (std::find(categories_.begin(), categories_.end(), category) == categories_.end())
            categories_.push_back(std::move(category));
    }
}

const TSealRecord* TSeal::FindSeal(int32_t number) const
{
    const auto it = byNumber_.find(number);
    return it == byNumber_.end() ? nullptr : &seals_[it->second];
}

const TSealRecord* TSeal::SealAt(int index) const
{
    return index >= 0 && index < SealCount() ? &seals_[static_cast<size_t>(index)] : nullptr;
}

std::string TSeal::CategoryName(int index) const
{
    return index >= 0 && index < CategoryCount() ? categories_[static_cast<size_t>(index)] : std::string();
}

std::string TSeal::ListPicturePath(const TSealRecord& seal) const
{
    return CataloguePath(appPath_ + kFolder, seal.ListPicture());
}

std::string TSeal::PicturePath(const TSealRecord& seal) const
{
    return CataloguePath(appPath_ + kFolder, seal.Picture());
}

} // namespace vlk
