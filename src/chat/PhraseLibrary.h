#pragma once
// TPhraseLibrary: the numbers of the room's playful messages and their texts. Phrases 1 to 4000
// are shown like chat lines; numbers above 4000 are actions (fun words and flowers) shown as a
// line "sender, first text, receiver, second text", or "sender, second text" when the first is
// empty. The chat input frame sends fun words 4001 + menu index and the flower numbers GetTag
// gives, so those numbers must keep their meaning across versions.
//
// Texts are UTF-8. The table is compiled in: it never changes at run time and nothing writes it.
#include <array>
#include <cstdint>
#include <string>

namespace vlk {

class TPhraseLibrary {
public:
    static constexpr int32_t kLastPhrase = 4000;
    static constexpr int32_t kFirstFunWord = 4001;
    static constexpr int32_t kFunWordCount = 24;

    // The flower-menu codes GetTag understands.
    static constexpr int32_t kFlower = 1100;     // 鲜花
    static constexpr int32_t kApplause = 1200;   // 掌声
    static constexpr int32_t kChocolate = 2100;  // 巧克力
    static constexpr int32_t kDiamond = 2200;    // 钻石

    // The phrase for 1 to kLastPhrase; empty for a number without a phrase. Numbers come from
    // other members' messages, so any value is answered.
    static std::string GetStr(int32_t number);
    // The two pieces of an action line; both empty for a number that is not an action.
    static std::array<std::string, 2> GetInterestingStrs(int32_t number);
    // The action number to send for a flower-menu code; 0 (send nothing) for any other code.
    static int32_t GetTag(int32_t code);
};

} // namespace vlk
