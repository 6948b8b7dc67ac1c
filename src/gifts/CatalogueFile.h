#pragma once
// Gift.dat and Seal.dat are bare sequences of fixed-size records. Reading takes whole records only
// (a trailing part is ignored) and stops at kMaxCatalogueRecords, so a damaged or foreign file can
// neither be read past its end nor make the client allocate without limit.
#include <cstddef>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace vlk {

// Far above any real catalogue (a few hundred entries).
inline constexpr size_t kMaxCatalogueRecords = 10000;

// The whole records of the file; empty with a log line when it cannot be opened.
std::vector<std::string> ReadRecordBlocks(const std::string& path, size_t recordSize);
// Writes the blocks one after the other; false when the file cannot be written.
bool WriteRecordBlocks(const std::string& path, const std::vector<std::string_view>& blocks);
// A file name from a catalogue with '/' separators (the files may name sub-folders with '\').
std::string CataloguePath(const std::string& folder, std::string_view fileName);

template <class R>
std::vector<R> ReadRecords(const std::string& path)
{
    std::vector<R> records;
    for (const auto& block : ReadRecordBlocks(path, R::kSize)) {
        R record;
        record.setRaw(0, block);
        records.push_back(std::move(record));
    }
    return records;
}

template <class R>
bool WriteRecords(const std::string& path, const std::vector<R>& records)
{
    std::vector<std::string_view> blocks;
    for (const auto& r : records)
        blocks.emplace_back(reinterpret_cast<const char*>(r.data()), r.size());
    return WriteRecordBlocks(path, blocks);
}

} // namespace vlk
