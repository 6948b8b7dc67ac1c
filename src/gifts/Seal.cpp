#include "gifts/Seal.h"

namespace vlk {

TSeal::TSeal(const std::string& appPath) : TCatalogue(appPath, kFileName) {}

std::string TSeal::ListPicturePath(const TSealRecord& seal) const
{
    return CataloguePath(appPath_ + kFolder, seal.ListPicture());
}

std::string TSeal::PicturePath(const TSealRecord& seal) const
{
    return CataloguePath(appPath_ + kFolder, seal.Picture());
}

} // namespace vlk
