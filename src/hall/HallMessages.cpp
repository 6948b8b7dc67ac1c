#include "hall/HallMessages.h"

#include "base/Gbk.h"

namespace vlk {

THallLoginAnswer::THallLoginAnswer(const std::string& chatFilter)
    : TMessage(kCode, kFilterOffset + Utf8ToGbk(chatFilter).size())
{
    const std::string gbk = Utf8ToGbk(chatFilter);
    setI32(784, static_cast<int32_t>(gbk.size()));
    setRaw(kFilterOffset, gbk);
}

std::string THallLoginAnswer::ChatFilter() const
{
    return GbkToUtf8(raw(kFilterOffset, static_cast<size_t>(FilterLength())));
}

} // namespace vlk
