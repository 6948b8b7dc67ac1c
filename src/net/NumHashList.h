#pragma once
// An integer-keyed hash table with a bucket count fixed at creation; a key's bucket is the key
// mod the bucket count. Add does not look for the key first: a newer entry hides an older one
// with the same key until it is removed. Not thread-safe: its users hold their own locks.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace vlk {

template <typename V>
class TNumHashList {
public:
    explicit TNumHashList(size_t buckets) : buckets_(CheckedBuckets(buckets), nullptr) {}
    // Frees the cells without raising OnDelete: an owner that frees its values there calls Clear
    // from its own destructor, while the handler can still run.
    ~TNumHashList() { FreeCells(); }
    TNumHashList(const TNumHashList&) = delete;
    TNumHashList& operator=(const TNumHashList&) = delete;

    void Add(uint32_t key, V value)
    {
        Cell*& head = buckets_[key % buckets_.size()];
        head = new Cell{head, key, std::move(value)};
        ++count_;
    }

    bool Get(uint32_t key, V& value) const
    {
        const Cell* cell = *Find(key);
        if (!cell)
            return false;
        value = cell->value;
        return true;
    }

    bool Remove(uint32_t key)
    {
        Cell** link = Find(key);
        Cell* cell = *link;
        if (!cell)
            return false;
        *link = cell->next;
        --count_;
        Delete(cell);
        return true;
    }

    // The table is consistent whenever OnDelete runs, so a handler may look into it.
    void Clear()
    {
        for (Cell*& head : buckets_) {
            while (Cell* cell = head) {
                head = cell->next;
                --count_;
                Delete(cell);
            }
        }
    }

    size_t Count() const { return count_; }

    std::function<void(V)> OnDelete;

private:
    struct Cell {
        Cell* next;
        uint32_t key;
        V value;
    };

    static size_t CheckedBuckets(size_t buckets)
    {
        if (buckets == 0)
            throw std::invalid_argument("TNumHashList needs at least one bucket");
        return buckets;
    }

    // The link that points at the key's newest cell, or at the empty end of its bucket.
    Cell** Find(uint32_t key) const
    {
        Cell** link = const_cast<Cell**>(&buckets_[key % buckets_.size()]);
        while (*link && (*link)->key != key)
            link = &(*link)->next;
        return link;
    }

    void Delete(Cell* cell)
    {
        V value = std::move(cell->value);
        delete cell;
        if (OnDelete)
            OnDelete(std::move(value));
    }

    void FreeCells()
    {
        for (Cell* cell : buckets_) {
            while (cell) {
                Cell* next = cell->next;
                delete cell;
                cell = next;
            }
        }
    }

    std::vector<Cell*> buckets_;
    size_t count_ = 0;
};

} // namespace vlk
