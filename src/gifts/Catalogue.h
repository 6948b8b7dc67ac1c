#pragma once
// What the gift and seal catalogues share: the records of one file in file order, looked up by
// number (the first occurrence wins) and grouped into categories in order of first appearance.
#include "gifts/CatalogueFile.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace vlk {

template <class R>
class TCatalogue {
public:
    int Count() const { return static_cast<int>(records_.size()); }
    const R* At(int index) const
    {
        return index >= 0 && index < Count() ? &records_[static_cast<size_t>(index)] : nullptr;
    }
    // The first record in file order with that number, or nullptr.
    const R* Find(int32_t number) const
    {
        const auto it = byNumber_.find(number);
        return it == byNumber_.end() ? nullptr : &records_[it->second];
    }
    int CategoryCount() const { return static_cast<int>(categories_.size()); }
    // Empty for an index outside the names.
    std::string CategoryName(int index) const
    {
        return index >= 0 && index < CategoryCount() ? categories_[static_cast<size_t>(index)] : std::string();
    }

protected:
    // appPath: the program directory with its trailing '/'; file relative to it.
    TCatalogue(const std::string& appPath, const char* file) : appPath_(appPath), records_(ReadRecords<R>(appPath + file))
    {
        for (size_t i = 0; i < records_.size(); ++i) {
            byNumber_.emplace(records_[i].Number(), i);
            std::string category = records_[i].Category();
            if (std::find(categories_.begin(), categories_.end(), category) == categories_.end())
                categories_.push_back(std::move(category));
        }
    }

    std::string appPath_;
    std::vector<R> records_;

private:
    std::unordered_map<int32_t, size_t> byNumber_;
    std::vector<std::string> categories_;
};

} // namespace vlk
