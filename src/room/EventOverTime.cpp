#include "room/EventOverTime.h"

#include "base/Clock.h"
#include "room/RoomCommands.h"

#include <algorithm>

namespace vlk {
namespace {

std::string Suffix(int32_t command, int32_t tag)
{
    const std::string user = std::to_string(tag);
    switch (command) {
    case roomcmd::kUserInformation: return "查看用户(" + user + ")信息失败!";
    case roomcmd::kKick: return "踢用户(" + user + ")出房间时失败!";
    case roomcmd::kUserAddress: return "查看用户(" + user + ")IP失败！";
    case roomcmd::kGift: return "给用户(" + user + ")送礼失败!";
    case roomcmd::kExchangeGifts: return "兑换礼品不成功!";
    case roomcmd::kOneToOneRequest: return "打开用户(" + user + ")私麦失败!";
    case roomcmd::kMicRequest: return "请求上麦无应答!";
    default: return {};   // mute, fun word and anything else say only that the network timed out
    }
}

} // namespace

int TEventOverTime::Register(int32_t command, int32_t tag)
{
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const TEntry& e) { return e.Command == command && e.Tag == tag; });
    if (it != entries_.end())
        return static_cast<int>(it - entries_.begin());
    entries_.push_back({command, tag, GetTickCount()});
    return Count() - 1;
}

bool TEventOverTime::Remove(int32_t command, int32_t tag)
{
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const TEntry& e) { return e.Command == command && e.Tag == tag; });
    if (it == entries_.end())
        return false;
    entries_.erase(it);
    return true;
}

bool TEventOverTime::RemoveAnswered(int32_t answerCode, int32_t tag)
{
    const int32_t request = AnsweredRequest(answerCode);
    return request != 0 && Remove(request, tag);
}

void TEventOverTime::CheckExpired()
{
    const uint32_t now = GetTickCount();
    // Taken out before anything is reported, so that a handler which registers or removes
    // requests does not change the list under the walk.
    std::vector<TEntry> expired;
    for (size_t i = entries_.size(); i-- > 0;) {
        if (TickDiff(now, entries_[i].Tick) >= kTimeout) {
            expired.push_back(entries_[i]);
            entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    for (const TEntry& e : expired)
        if (onExpired_)
            onExpired_(ExpiryText(e.Command, e.Tag));
}

std::string TEventOverTime::ExpiryText(int32_t command, int32_t tag)
{
    return "网络超时!" + Suffix(command, tag) + "请稍候再试!";
}

int32_t TEventOverTime::AnsweredRequest(int32_t answerCode)
{
    switch (answerCode) {
    case roomcmd::kUserInformationAnswer: return roomcmd::kUserInformation;
    case roomcmd::kKickResult: return roomcmd::kKick;
    case roomcmd::kUserAddressAnswer: return roomcmd::kUserAddress;
    case roomcmd::kMuteResult: return roomcmd::kMute;
    case roomcmd::kGiftResult: return roomcmd::kGift;
    case roomcmd::kFunWordResult: return roomcmd::kFunWord;
    case roomcmd::kExchangeResult: return roomcmd::kExchangeGifts;
    case roomcmd::kOneToOneRefused:
    case roomcmd::kOneToOneGranted: return roomcmd::kOneToOneRequest;
    case roomcmd::kMicRequestResult:
    case roomcmd::kLocalSendAddress: return roomcmd::kMicRequest;
    default: return 0;
    }
}

} // namespace vlk
