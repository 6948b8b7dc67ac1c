#pragma once
// An integer-keyed table that keeps its entries in insertion order: a TNumHashList maps each key
// to its entry, and the entries form a doubly linked list from First to Last. Walk along next;
// the current entry may be removed once its next has been read. Not thread-safe: its users hold
// their own locks.
#include "net/NumHashList.h"

#include <cstddef>
#include <cstdint>
#include <utility>

namespace vlk {

template <typename V>
class THashList {
public:
    struct Entry {
        Entry* prev;
        uint32_t key;
        V value;
        Entry* next;
    };

    explicit THashList(size_t buckets) : lookup_(buckets) {}
    ~THashList() { FreeEntries(); }
    THashList(const THashList&) = delete;
    THashList& operator=(const THashList&) = delete;

    // A key already present keeps its place in the order; only its value changes.
    void Add(uint32_t key, V value)
    {
        Entry* entry = nullptr;
        if (lookup_.Get(key, entry)) {
            entry->value = std::move(value);
            return;
        }
        entry = new Entry{last_, key, std::move(value), nullptr};
        (last_ ? last_->next : first_) = entry;
        last_ = entry;
        lookup_.Add(key, entry);
    }

    bool Get(uint32_t key, V& value) const
    {
        Entry* entry = nullptr;
        if (!lookup_.Get(key, entry))
            return false;
        value = entry->value;
        return true;
    }

    bool SetValue(uint32_t key, V value)
    {
        Entry* entry = nullptr;
        if (!lookup_.Get(key, entry))
            return false;
        entry->value = std::move(value);
        return true;
    }

    bool Remove(uint32_t key)
    {
        Entry* entry = nullptr;
        if (!lookup_.Get(key, entry))
            return false;
        lookup_.Remove(key);
        (entry->prev ? entry->prev->next : first_) = entry->next;
        (entry->next ? entry->next->prev : last_) = entry->prev;
        delete entry;
        return true;
    }

    void Clear()
    {
        lookup_.Clear();
        FreeEntries();
        first_ = nullptr;
        last_ = nullptr;
    }

    size_t Count() const { return lookup_.Count(); }
    Entry* First() const { return first_; }
    Entry* Last() const { return last_; }

private:
    void FreeEntries()
    {
        while (Entry* entry = first_) {
            first_ = entry->next;
            delete entry;
        }
    }

    TNumHashList<Entry*> lookup_;
    Entry* first_ = nullptr;
    Entry* last_ = nullptr;
};

} // namespace vlk
