#include "gifts/CatalogueFile.h"

#include "base/DebugLog.h"

#include <algorithm>

namespace vlk {

std::vector<std::string> ReadRecordBlocks(const std::string& path, size_t recordSize)
{
    std::vector<std::string> blocks;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        DebugLog().warn("catalogue {} cannot be read; going on with an empty catalogue", path);
        return blocks;
    }
    std::string block(recordSize, '\0');
    while (in.read(block.data(), static_cast<std::streamsize>(recordSize))) {
        if (blocks.size() == kMaxCatalogueRecords) {
            DebugLog().warn("catalogue {} holds more than {} records; the rest is ignored", path, kMaxCatalogueRecords);
            break;
        }
        blocks.push_back(block);
    }
    if (in.bad())
        DebugLog().warn("catalogue {} failed while reading after {} records", path, blocks.size());
    return blocks;
}

bool WriteRecordBlocks(const std::string& path, const std::vector<std::string_view>& blocks)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& b : blocks)
        out.write(b.data(), static_cast<std::streamsize>(b.size()));
    out.close();
    return static_cast<bool>(out);
}

std::string CataloguePath(const std::string& folder, std::string_view fileName)
{
    std::string path = folder;
    path += fileName;
    std::replace(path.begin() + static_cast<std::ptrdiff_t>(folder.size()), path.end(), '\\', '/');
    return path;
}

} // namespace vlk
