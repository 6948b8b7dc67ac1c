#pragma once
// TSeal: the seal catalogue from Picture/Seal/Seal.dat, loaded once at the hall log-in and shared by
// every room; empty (with a log line) when the file is missing or unreadable.
#include "gifts/Catalogue.h"
#include "gifts/SealRecord.h"

#include <string>

namespace vlk {

class TSeal : public TCatalogue<TSealRecord> {
public:
    static constexpr const char* kFolder = "Picture/Seal/";
    static constexpr const char* kFileName = "Picture/Seal/Seal.dat";

    // appPath: the program directory with its trailing '/'.
    explicit TSeal(const std::string& appPath);

    const TSealRecord* FindSeal(int32_t number) const { return Find(number); }
    int SealCount() const { return Count(); }
    const TSealRecord* SealAt(int index) const { return At(index); }

    std::string ListPicturePath(const TSealRecord& seal) const;
    std::string PicturePath(const TSealRecord& seal) const;
};

} // namespace vlk
