#include "chat/PhraseLibrary.h"

#include <string_view>

namespace vlk {
namespace {

// Phrase n is kPhrases[n - 1].
constexpr std::string_view kPhrases[] = {
    "大家好！",
    "欢迎光临，请多多捧场！",
    "谢谢大家的支持！",
    "唱得真好听！",
    "再来一首吧！",
    "掌声在哪里？",
    "今天心情真不错！",
    "好久不见，最近好吗？",
    "有你真好！",
    "祝大家天天开心！",
    "晚安，明天见！",
    "我先走了，拜拜！",
    "欢迎新朋友！",
    "麦上的朋友辛苦了！",
    "声音有点小，再大一点吧。",
    "视频好清楚！",
    "顶一个！",
    "太精彩了！",
    "生日快乐！",
    "节日快乐！",
};

struct TAction {
    std::string_view first;
    std::string_view second;
};

// Fun word kFirstFunWord + i, in the order of the chat frame's fun-word menu.
constexpr TAction kFunWords[TPhraseLibrary::kFunWordCount] = {
    {"拍拍", "的肩膀说：以后请多多关照！"},                 // 关照
    {"对", "说：久仰大名，如雷贯耳！"},                     // 景仰
    {"悄悄地对", "说：我好喜欢你哦！"},                     // 喜欢
    {"躲在角落里偷偷地张望着", "，想看又不敢看。"},         // 张望
    {"甜甜地叫了", "一声：大姐好！"},                       // 大姐
    {"恭恭敬敬地向", "抱拳道：大哥好！"},                   // 大哥
    {"眨着天真的大眼睛问", "：这是为什么呀？"},             // 天真
    {"对", "说：美眉，交个朋友好吗？"},                     // 美眉
    {"", "哇的一声大哭起来，谁来安慰一下？"},               // 大哭
    {"望着", "，眼里闪着激动的泪花。"},                     // 泪花
    {"被", "感动得泪水哗哗直流。"},                         // 泪水
    {"", "眼前一黑，扑通一声昏倒在地……"},                   // 昏倒
    {"乖乖地对", "说：我一定听话！"},                       // 听话
    {"揪住", "的耳朵说：快说，错了没有？"},                 // 耳朵
    {"指着", "哈哈大笑：你这个傻冒！"},                     // 傻冒
    {"用一双明眸深情地望着", "。"},                         // 明眸
    {"施展闪电神功，一道闪电劈向", "！"},                   // 闪电
    {"掏出手枪对准", "：不许动，举起手来！"},               // 手枪
    {"拿出一块狗皮膏药，啪地贴在", "的嘴上。"},             // 膏药
    {"念动咒语，对", "施了一个魔法！"},                     // 魔法
    {"用迷人的眼神诱惑着", "：过来呀……"},                   // 诱惑
    {"妩媚地对", "抛了一个媚眼。"},                         // 妩媚
    {"深情地送给", "一朵鲜红的玫瑰。"},                     // 玫瑰
    {"用冷冰冰的眼神把", "冻成了一座冰雕。"},               // 冰雕
};

struct TFlower {
    int32_t code;
    TAction texts;
};

// Flowers continue the action numbers after the fun words, in menu order.
constexpr TFlower kFlowers[] = {
    {TPhraseLibrary::kFlower, {"送给", "一束美丽的鲜花！"}},
    {TPhraseLibrary::kApplause, {"为", "热烈鼓掌！"}},
    {TPhraseLibrary::kChocolate, {"送给", "一盒甜蜜的巧克力！"}},
    {TPhraseLibrary::kDiamond, {"送给", "一颗闪亮的钻石！"}},
};

constexpr int32_t kFirstFlower = TPhraseLibrary::kFirstFunWord + TPhraseLibrary::kFunWordCount;
constexpr int32_t kPhraseCount = static_cast<int32_t>(std::size(kPhrases));
constexpr int32_t kFlowerCount = static_cast<int32_t>(std::size(kFlowers));
static_assert(kPhraseCount <= TPhraseLibrary::kLastPhrase);

} // namespace

std::string TPhraseLibrary::GetStr(int32_t number)
{
    if (number < 1 || number > kPhraseCount)
        return {};
    return std::string(kPhrases[number - 1]);
}

std::array<std::string, 2> TPhraseLibrary::GetInterestingStrs(int32_t number)
{
    const TAction* action = nullptr;
    if (number >= kFirstFunWord && number < kFirstFunWord + kFunWordCount)
        action = &kFunWords[number - kFirstFunWord];
    else if (number >= kFirstFlower && number < kFirstFlower + kFlowerCount)
        action = &kFlowers[number - kFirstFlower].texts;
    if (!action)
        return {};
    return {std::string(action->first), std::string(action->second)};
}

int32_t TPhraseLibrary::GetTag(int32_t code)
{
    for (int32_t i = 0; i < kFlowerCount; ++i)
        if (kFlowers[i].code == code)
            return kFirstFlower + i;
    return 0;
}

} // namespace vlk
