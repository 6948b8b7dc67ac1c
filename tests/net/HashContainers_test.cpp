#include "net/HashList.h"
#include "net/NumHashList.h"
#include "net/StrHash.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vlk {
namespace {

using Pairs = std::vector<std::pair<uint32_t, int>>;

// Forwards along next, checking every prev link and First/Last on the way.
Pairs Walk(const THashList<int>& list)
{
    Pairs pairs;
    const THashList<int>::Entry* previous = nullptr;
    for (auto* entry = list.First(); entry; entry = entry->next) {
        EXPECT_EQ(entry->prev, previous) << "key " << entry->key;
        pairs.emplace_back(entry->key, entry->value);
        previous = entry;
    }
    EXPECT_EQ(list.Last(), previous);
    EXPECT_EQ(list.Count(), pairs.size());
    return pairs;
}

TEST(NumHashListTest, KeysSharingABucketStaySeparate)
{
    constexpr uint32_t kBuckets = 7;
    // 3, 10, 17 and 0xFFFFFFFF share bucket 3 (the key is taken unsigned).
    const uint32_t keys[] = {3, 10, 17, 0xFFFFFFFFu};
    for (uint32_t removed : keys) {
        TNumHashList<int> table(kBuckets);
        for (uint32_t key : keys)
            table.Add(key, static_cast<int>(key % 1000));
        ASSERT_TRUE(table.Remove(removed));
        EXPECT_FALSE(table.Remove(removed));
        EXPECT_EQ(table.Count(), 3u);
        for (uint32_t key : keys) {
            int value = -1;
            EXPECT_EQ(table.Get(key, value), key != removed) << "key " << key << " after " << removed;
            if (key != removed) {
                EXPECT_EQ(value, static_cast<int>(key % 1000));
            }
        }
    }
}

TEST(NumHashListTest, NewestDuplicateHidesOlderUntilRemoved)
{
    TNumHashList<int> table(16);
    table.Add(5, 1);
    table.Add(5, 2);
    EXPECT_EQ(table.Count(), 2u);
    int value = 0;
    ASSERT_TRUE(table.Get(5, value));
    EXPECT_EQ(value, 2);
    ASSERT_TRUE(table.Remove(5));
    ASSERT_TRUE(table.Get(5, value));
    EXPECT_EQ(value, 1);
    ASSERT_TRUE(table.Remove(5));
    EXPECT_FALSE(table.Get(5, value));
    EXPECT_EQ(table.Count(), 0u);
}

TEST(NumHashListTest, OnDeleteSeesEveryRemovedValueOnce)
{
    TNumHashList<int> table(4);
    std::vector<int> deleted;
    table.OnDelete = [&](int value) {
        deleted.push_back(value);
        EXPECT_EQ(table.Count(), 3u - deleted.size());   // already gone when the event runs
    };
    table.Add(1, 10);
    table.Add(5, 50);
    table.Add(2, 20);

    EXPECT_FALSE(table.Remove(9));
    EXPECT_TRUE(deleted.empty());
    ASSERT_TRUE(table.Remove(5));
    EXPECT_EQ(deleted, std::vector<int>{50});

    table.Add(6, 60);
    deleted.clear();
    table.OnDelete = [&](int value) { deleted.push_back(value); };
    table.Clear();
    std::sort(deleted.begin(), deleted.end());
    EXPECT_EQ(deleted, (std::vector<int>{10, 20, 60}));
    EXPECT_EQ(table.Count(), 0u);
    int value = 0;
    EXPECT_FALSE(table.Get(1, value));

    table.Add(1, 11);   // usable again after Clear
    ASSERT_TRUE(table.Get(1, value));
    EXPECT_EQ(value, 11);
}

TEST(HashContainersTest, NeedAtLeastOneBucket)
{
    EXPECT_THROW(TNumHashList<int>(0), std::invalid_argument);
    EXPECT_THROW(THashList<int>(0), std::invalid_argument);
    EXPECT_THROW(TStrHash(0), std::invalid_argument);
}

TEST(HashListTest, WalksInInsertionOrderNotKeyOrBucketOrder)
{
    THashList<int> list(4);
    const Pairs added = {{9, 0}, {2, 1}, {4, 2}, {13, 3}, {1, 4}, {0xFFFFFFFFu, 5}};
    for (const auto& [key, value] : added)
        list.Add(key, value);
    EXPECT_EQ(Walk(list), added);
    for (const auto& [key, value] : added) {
        int found = -1;
        ASSERT_TRUE(list.Get(key, found));
        EXPECT_EQ(found, value);
    }
    int found = 0;
    EXPECT_FALSE(list.Get(5, found));   // same bucket as 9, 13 and 1
}

TEST(HashListTest, AddWithAnExistingKeyKeepsItsPlace)
{
    THashList<int> list(8);
    list.Add(1, 10);
    list.Add(2, 20);
    list.Add(3, 30);
    list.Add(2, 21);
    EXPECT_EQ(Walk(list), (Pairs{{1, 10}, {2, 21}, {3, 30}}));

    EXPECT_TRUE(list.SetValue(3, 31));
    EXPECT_FALSE(list.SetValue(4, 40));   // SetValue never adds
    EXPECT_EQ(Walk(list), (Pairs{{1, 10}, {2, 21}, {3, 31}}));

    // A removed key added again goes to the end.
    ASSERT_TRUE(list.Remove(1));
    list.Add(1, 12);
    EXPECT_EQ(Walk(list), (Pairs{{2, 21}, {3, 31}, {1, 12}}));
}

TEST(HashListTest, RemoveRelinksNeighboursAndEnds)
{
    const struct {
        const char* name;
        std::vector<uint32_t> keys;
        uint32_t removed;
        bool found;
        std::vector<uint32_t> left;
    } cases[] = {
        {"only entry", {7}, 7, true, {}},
        {"first", {7, 8, 9}, 7, true, {8, 9}},
        {"middle", {7, 8, 9}, 8, true, {7, 9}},
        {"last", {7, 8, 9}, 9, true, {7, 8}},
        {"missing, same bucket as 7", {7, 8}, 15, false, {7, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        THashList<int> list(8);
        for (uint32_t key : c.keys)
            list.Add(key, static_cast<int>(key));
        EXPECT_EQ(list.Remove(c.removed), c.found);
        Pairs expected;
        for (uint32_t key : c.left)
            expected.emplace_back(key, static_cast<int>(key));
        EXPECT_EQ(Walk(list), expected);
        int value = 0;
        EXPECT_FALSE(list.Get(c.removed, value));

        list.Add(100, 100);   // appending still works from the fixed-up end
        expected.emplace_back(100, 100);
        EXPECT_EQ(Walk(list), expected);
    }
}

TEST(HashListTest, WalkerMayRemoveTheCurrentEntry)
{
    THashList<int> list(3);
    for (uint32_t key = 0; key < 10; ++key)
        list.Add(key, static_cast<int>(key));
    for (auto* entry = list.First(); entry;) {
        auto* next = entry->next;
        if (entry->value % 3 != 0)
            list.Remove(entry->key);
        entry = next;
    }
    EXPECT_EQ(Walk(list), (Pairs{{0, 0}, {3, 3}, {6, 6}, {9, 9}}));

    list.Clear();
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Last(), nullptr);
    EXPECT_EQ(list.Count(), 0u);
    int value = 0;
    EXPECT_FALSE(list.Get(3, value));
    list.Add(3, 33);
    EXPECT_EQ(Walk(list), (Pairs{{3, 33}}));
}

class ExposedStrHash : public TStrHash {
public:
    using TStrHash::TStrHash;
    using TStrHash::HashOf;
};

// Every key in one bucket, so lookups rely on comparing the key text.
class OneBucketStrHash : public TStrHash {
public:
    using TStrHash::TStrHash;
protected:
    uint32_t HashOf(std::string_view) const override { return 0; }
};

TEST(StrHashTest, HashRotatesLeftByTwoAndXorsUnsignedBytes)
{
    const ExposedStrHash hash(1);
    const struct {
        std::string key;
        uint32_t expected;
    } cases[] = {
        {"", 0},
        {"a", 0x61},
        {"ab", 0x1E6},
        {"\xB0", 0xB0},                                 // bytes above 0x7F are not sign-extended
        {"\xC4\xE3", 0x3F3},                            // a GBK character
        {std::string("\x03") + std::string(15, '\0'), 0xC0000000u},
        {std::string("\x03") + std::string(16, '\0'), 0x3},   // rotated, not shifted out
    };
    for (const auto& c : cases)
        EXPECT_EQ(hash.HashOf(c.key), c.expected) << "key of " << c.key.size() << " bytes";
}

TEST(StrHashTest, LooksUpExactKeyText)
{
    TStrHash plain(256);
    OneBucketStrHash crowded(16);
    for (TStrHash* hash : {static_cast<TStrHash*>(&plain), static_cast<TStrHash*>(&crowded)}) {
        hash->Add("room", 1);
        hash->Add("Room", 2);
        hash->Add(std::string("ro\0m", 4), 3);
        hash->Add("", 4);
        EXPECT_EQ(hash->Count(), 4u);
        EXPECT_EQ(hash->ValueOf("room"), 1);
        EXPECT_EQ(hash->ValueOf("Room"), 2);
        EXPECT_EQ(hash->ValueOf("ROOM"), -1);
        EXPECT_EQ(hash->ValueOf(std::string_view("ro\0m", 4)), 3);
        EXPECT_EQ(hash->ValueOf(""), 4);
        EXPECT_EQ(hash->ValueOf("roo"), -1);
        EXPECT_EQ(hash->ValueOf("rooms"), -1);

        hash->Remove("Room");
        hash->Remove("absent");
        EXPECT_EQ(hash->Count(), 3u);
        EXPECT_EQ(hash->ValueOf("Room"), -1);
        EXPECT_EQ(hash->ValueOf("room"), 1);
        EXPECT_EQ(hash->ValueOf(""), 4);
    }
}

TEST(StrHashTest, DuplicatesStackUpAndClearEmpties)
{
    OneBucketStrHash hash(4);
    hash.Add("seq", 1);
    hash.Add("other", 9);
    hash.Add("seq", 2);
    EXPECT_EQ(hash.Count(), 3u);
    EXPECT_EQ(hash.ValueOf("seq"), 2);
    hash.Remove("seq");
    EXPECT_EQ(hash.ValueOf("seq"), 1);
    hash.Remove("seq");
    EXPECT_EQ(hash.ValueOf("seq"), -1);
    EXPECT_EQ(hash.ValueOf("other"), 9);

    hash.Clear();
    EXPECT_EQ(hash.Count(), 0u);
    EXPECT_EQ(hash.ValueOf("other"), -1);
    hash.Add("other", 10);
    EXPECT_EQ(hash.ValueOf("other"), 10);
}

} // namespace
} // namespace vlk
