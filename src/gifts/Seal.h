#pragma once
// TSeal: the seal catalogue from Picture/Seal/Seal.dat, loaded once at the hall log-in and shared by
// every room; empty (with a log line) when the file is missing or unreadable.
#include "gifts/SealRecord.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace vlk {

class TSeal {
public:
    static constexpr const char* kFolder = "Picture/Seal/";
    static constexpr const char* kFileName = "Picture/Seal/Seal.dat";

    // appPath: the program directory with its trailing '/'.
    explicit TSeal(const std::string& appPath);

    // The first record in file order with that number, or nullptr.
    const TSealRecord* FindSeal(int32_t number) const;
    int SealCount() const { return static_cast<int>(seals_.size()); }
    const TSealRecord* SealAt(int index) const;
    int CategoryCount() const { return static_cast<int>(categories_.size()); }
    std::string CategoryName(int index) const;

    std::string ListPicturePath(const TSealRecord& seal) const;
    std::string PicturePath(const TSealRecord& seal) const;

private:
    std::string appPath_;
    std::vector<TSealRecord> seals_;
    std::unordered_map<int32_t, size_t> byNumber_;
    std::vector<std::string> categories_;
};

} // namespace vlk
