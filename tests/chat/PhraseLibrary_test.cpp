// The phrase library: every number the chat frame sends has a text, the flower numbers are actions
// apart from the fun words, numbers from other members outside the table give empty texts, and
// every text survives the trip through GBK that the wire and the views make.
#include "chat/PhraseLibrary.h"

#include "base/Gbk.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>

namespace vlk {
namespace {

using Lib = TPhraseLibrary;

void ExpectGbkSafe(const std::string& text, int32_t number)
{
    EXPECT_TRUE(IsValidUtf8(text)) << number;
    EXPECT_EQ(GbkToUtf8(Utf8ToGbk(text)), text) << number;
}

TEST(PhraseLibrary, EveryFunWordOfTheMenuIsAnAction)
{
    for (int32_t n = Lib::kFirstFunWord; n < Lib::kFirstFunWord + Lib::kFunWordCount; ++n) {
        const auto texts = Lib::GetInterestingStrs(n);
        EXPECT_FALSE(texts[1].empty()) << n;
        ExpectGbkSafe(texts[0], n);
        ExpectGbkSafe(texts[1], n);
    }
}

TEST(PhraseLibrary, FlowersAreDistinctActionsBeyondTheFunWords)
{
    std::set<int32_t> numbers;
    for (int32_t code : {Lib::kFlower, Lib::kApplause, Lib::kChocolate, Lib::kDiamond}) {
        const int32_t n = Lib::GetTag(code);
        EXPECT_GE(n, Lib::kFirstFunWord + Lib::kFunWordCount) << code;
        const auto texts = Lib::GetInterestingStrs(n);
        EXPECT_FALSE(texts[0].empty()) << code;  // a flower always goes to someone
        EXPECT_FALSE(texts[1].empty()) << code;
        ExpectGbkSafe(texts[0], n);
        ExpectGbkSafe(texts[1], n);
        numbers.insert(n);
    }
    EXPECT_EQ(numbers.size(), 4u);
}

TEST(PhraseLibrary, UnknownFlowerCodesSendNothing)
{
    for (int32_t code : {0, -1, 1000, 1101, 2000, 4001, INT_MIN, INT_MAX})
        EXPECT_EQ(Lib::GetTag(code), 0) << code;
}

TEST(PhraseLibrary, PhrasesStartAtOneAndAreGbkSafe)
{
    EXPECT_FALSE(Lib::GetStr(1).empty());
    for (int32_t n = 1; n <= Lib::kLastPhrase; ++n)
        ExpectGbkSafe(Lib::GetStr(n), n);
}

TEST(PhraseLibrary, NumbersOutsideTheTablesGiveEmptyTexts)
{
    for (int32_t n : {0, -1, INT_MIN, Lib::kLastPhrase, Lib::kLastPhrase + 1, INT_MAX})
        EXPECT_EQ(Lib::GetStr(n), "") << n;
    for (int32_t n : {0, -1, INT_MIN, 1, Lib::kLastPhrase, Lib::kFirstFunWord - 1, Lib::GetTag(Lib::kDiamond) + 1,
                      INT_MAX}) {
        const auto texts = Lib::GetInterestingStrs(n);
        EXPECT_EQ(texts[0], "") << n;
        EXPECT_EQ(texts[1], "") << n;
    }
}

} // namespace
} // namespace vlk
