#pragma once
// A string-keyed hash table of 32-bit values with a bucket count fixed at creation. Keys are
// compared byte for byte (so case matters); Add does not look for the key first, and the newest
// entry with a key is the one found. Not thread-safe: its users hold their own locks.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vlk {

class TStrHash {
public:
    explicit TStrHash(size_t buckets);
    virtual ~TStrHash();
    TStrHash(const TStrHash&) = delete;
    TStrHash& operator=(const TStrHash&) = delete;

    void Add(std::string key, int32_t value);
    int32_t ValueOf(std::string_view key) const;   // -1 when absent
    void Remove(std::string_view key);             // the newest entry with this key
    void Clear();
    size_t Count() const { return count_; }

protected:
    // From 0, for every byte: rotate left by two bits, then XOR the byte in.
    virtual uint32_t HashOf(std::string_view key) const;

private:
    struct Entry {
        Entry* next;
        std::string key;
        int32_t value;
    };

    Entry** Find(std::string_view key) const;

    std::vector<Entry*> buckets_;
    size_t count_ = 0;
};

} // namespace vlk
