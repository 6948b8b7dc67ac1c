#include "net/StrHash.h"

#include <bit>
#include <stdexcept>
#include <utility>

namespace vlk {

TStrHash::TStrHash(size_t buckets) : buckets_(buckets, nullptr)
{
    if (buckets == 0)
        throw std::invalid_argument("TStrHash needs at least one bucket");
}

TStrHash::~TStrHash()
{
    Clear();
}

void TStrHash::Add(std::string key, int32_t value)
{
    Entry*& head = buckets_[HashOf(key) % buckets_.size()];
    head = new Entry{head, std::move(key), value};
    ++count_;
}

int32_t TStrHash::ValueOf(std::string_view key) const
{
    const Entry* entry = *Find(key);
    return entry ? entry->value : -1;
}

void TStrHash::Remove(std::string_view key)
{
    Entry** link = Find(key);
    Entry* entry = *link;
    if (!entry)
        return;
    *link = entry->next;
    delete entry;
    --count_;
}

void TStrHash::Clear()
{
    for (Entry*& head : buckets_) {
        while (Entry* entry = head) {
            head = entry->next;
            delete entry;
        }
    }
    count_ = 0;
}

uint32_t TStrHash::HashOf(std::string_view key) const
{
    uint32_t hash = 0;
    for (char c : key)
        hash = std::rotl(hash, 2) ^ static_cast<unsigned char>(c);
    return hash;
}

// The link that points at the key's newest entry, or at the empty end of its bucket.
TStrHash::Entry** TStrHash::Find(std::string_view key) const
{
    auto** link = const_cast<Entry**>(&buckets_[HashOf(key) % buckets_.size()]);
    while (*link && (*link)->key != key)
        link = &(*link)->next;
    return link;
}

} // namespace vlk
