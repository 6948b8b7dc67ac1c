#include "chat/ChatLines.h"

#include "chat/ChatLink.h"
#include "chat/ChatSanitizer.h"
#include "chat/Emotion.h"
#include "chat/WordFilter.h"
#include "shell/TextHelpers.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <unordered_map>

namespace vlk {
namespace {

std::string N(int64_t value) { return std::to_string(value); }

// A user as a part: text and link value. The local member is "您" and never a link.
struct PartText {
    std::string text;
    std::string link;
};

PartText UserPart(const TChatUser& user) { return {UserDisplay(user), UserLinkValue(user.number)}; }

PartText LocalOrUser(const TChatUser& user, int32_t localUserId)
{
    return user.number == localUserId ? PartText{"您", {}} : UserPart(user);
}

// The gift sender: "您", or "神秘人" when anonymous and the local member is not involved.
PartText GiftSender(const TGiftParties& p, int32_t localUserId)
{
    if (p.sender.number != localUserId && p.anonymous && p.receiver.number != localUserId)
        return {"神秘人", {}};
    return LocalOrUser(p.sender, localUserId);
}

std::string AnonymousWord(const TGiftParties& p, int32_t localUserId, const char* word)
{
    const bool involved = p.sender.number == localUserId || p.receiver.number == localUserId;
    return p.anonymous && involved ? word : "";
}

std::string TimePart(double time, bool twoDigitHour = false) { return "(" + TimeText(time, twoDigitHour) + ")"; }

std::string GiftLine(const TGiftParties& p, int32_t localUserId, std::string p5, std::string p6, std::string p7)
{
    TChatParts parts;
    const PartText sender = GiftSender(p, localUserId);
    const PartText receiver = LocalOrUser(p.receiver, localUserId);
    parts.P[0] = "★礼物★：";
    parts.P[1] = sender.text;
    parts.L2 = sender.link;
    parts.P[2] = " " + AnonymousWord(p, localUserId, "匿名 ") + "给 ";
    parts.P[3] = receiver.text;
    parts.L4 = receiver.link;
    parts.P[4] = std::move(p5);
    parts.P[5] = std::move(p6);
    parts.P[6] = std::move(p7);
    return BuildLine("GiveMsg", parts);
}

std::string GiftCountText(int32_t count, const TGiftText& gift)
{
    return " 送 " + N(count) + EscapeHtml(gift.unit) + " " + EscapeHtml(gift.name);
}

std::string AudienceWord(const TGiftText& gift) { return gift.forAdmins ? "管理员" : "用户"; }

std::string SeatLine(const char* className, const char* title, const TChatUser& user, const std::string& picture)
{
    TChatParts parts;
    parts.P[0] = "【系统】：";
    parts.P[1] = "<img src = \"" + EscapeHtml(picture) + "\">";
    parts.P[2] = title;
    parts.P[3] = UserDisplay(user);
    parts.P[4] = "进入房间";
    return BuildLine(className, parts);
}

bool IsCodeCharacter(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string ConvertText(std::string_view text, const TEmotion& emotion,
                        std::unordered_map<std::string, std::string>& pictures)
{
    constexpr size_t kCode = TEmotion::kIdLength + 2;
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '{' && i + kCode <= text.size() && text[i + kCode - 1] == '}') {
            const std::string_view id = text.substr(i + 1, TEmotion::kIdLength);
            bool code = true;
            for (char c : id)
                code = code && IsCodeCharacter(c);
            if (code) {
                auto [it, added] = pictures.try_emplace(std::string(id));
                if (added) {
                    const TEmotionInfo face = emotion.FindEmotion(id);
                    std::error_code error;
                    if (!face.id.empty() && std::filesystem::is_regular_file(face.FileOrg, error))
                        it->second = "<IMG src=\"" + EscapeHtml(face.FileOrg) + "\">";
                }
                if (!it->second.empty()) {
                    out += it->second;
                    i += kCode;
                    continue;
                }
            }
        }
        out += text[i++];
    }
    return out;
}

} // namespace

std::string BuildLine(std::string_view className, const TChatParts& parts, bool trailingBreak)
{
    std::string line = "<div class=\"";
    line += className;
    line += "\">";
    for (size_t i = 0; i < parts.P.size(); ++i) {
        if (parts.P[i].empty())
            continue;
        const std::string number = N(static_cast<int64_t>(i + 1));
        const std::string link = i == 1 ? Trim(parts.L2) : i == 3 ? Trim(parts.L4) : std::string();
        line += "<span class=\"part" + number + "\">";
        if (link.empty())
            line += parts.P[i];
        else
            line += "<a href=\"" + EscapeHtml(LinkTarget(link)) + "\">" + parts.P[i] + "</a>";
        line += "</span>";
    }
    if (trailingBreak)
        line += "<BR>";
    line += "</div>";
    return line;
}

std::string UserDisplay(const TChatUser& user) { return EscapeHtml(user.nick) + "(" + N(user.number) + ")"; }

std::string UserLinkValue(int32_t number) { return std::string(LinkKindText(TLinkKind::UserInfo)) + N(number); }

std::string PictureTag(const std::string& path)
{
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return {};
    return "<img src=\"" + EscapeHtml(path) + "\">";
}

std::string RoomLink(int32_t room)
{
    return "<a href=\"" + LinkTarget(std::string(LinkKindText(TLinkKind::RoomID)) + N(room)) + "\">【" + N(room) + "房间】</a>";
}

std::string TimeText(double dateTime, bool twoDigitHour)
{
    constexpr int64_t kMsPerDay = 86'400'000;
    int64_t ms = 0;
    if (std::isfinite(dateTime)) {
        double whole = 0;
        ms = std::llround(std::fabs(std::modf(dateTime, &whole)) * kMsPerDay) % kMsPerDay;
    }
    const int64_t seconds = ms / 1000;
    char text[16];
    std::snprintf(text, sizeof text, twoDigitHour ? "%02d:%02d:%02d" : "%d:%02d:%02d",
                  static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return text;
}

std::string ConvertEmotion(std::string_view html, const TEmotion& emotion)
{
    std::unordered_map<std::string, std::string> pictures;
    return MapTextOutsideTags(html, [&](std::string_view text) { return ConvertText(text, emotion, pictures); });
}

std::string TransformMessage(std::string_view html, const TEmotion& emotion, const TWordFilter& filter)
{
    return filter.Apply(ConvertEmotion(html, emotion));
}

std::string StyleChatMessage(std::string_view messageHtml, const TChatFont& font)
{
    const std::string name = IsSafeCssValue(font.name) ? font.name : std::string();
    std::string out = "<font style=\"font:";
    out += BitIsSet(font.styleBits, 1) ? "italic" : "";
    out += " ";
    out += BitIsSet(font.styleBits, 0) ? "bold" : "";
    out += " " + N(font.size) + "pt; text-decoration: ";
    out += BitIsSet(font.styleBits, 2) ? "underline" : "";
    out += " ";
    out += BitIsSet(font.styleBits, 3) ? "line-through" : "";
    out += "; color:" + ColorToWeb(font.colour) + "; font-family: " + name + ";\">";
    out += messageHtml;
    out += "</font>";
    return out;
}

std::string SystemMsgLine(int32_t kind, std::string_view title, std::string_view linkText,
                          std::string_view messageHtml)
{
    TChatParts parts;
    parts.P[0] = EscapeHtml(title);
    parts.P[1] = messageHtml;
    if (kind == 4) {
        parts.P[3] = EscapeHtml(linkText);
        parts.L4 = LinkKindText(TLinkKind::Pay);
    }
    return BuildLine("SystemMsg" + N(kind), parts);
}

std::string ChatMsgLine(bool whisper, const TChatUser& sender, const std::string& senderPicture,
                        const TChatUser& receiver, const std::string& receiverPicture, std::string_view messageHtml,
                        const TChatFont& font, double time)
{
    TChatParts parts;
    parts.P[0] = PictureTag(senderPicture);
    parts.P[1] = UserDisplay(sender);
    parts.L2 = UserLinkValue(sender.number);
    parts.P[2] = " 对 " + PictureTag(receiverPicture);
    parts.P[3] = receiver.number == 0 ? EscapeHtml(receiver.nick) : UserDisplay(receiver);
    parts.L4 = UserLinkValue(receiver.number);
    parts.P[4] = whisper ? " 悄悄说: " : " 说: ";
    parts.P[5] = StyleChatMessage(messageHtml, font);
    parts.P[6] = TimePart(time);
    return BuildLine(whisper ? "WhisperMsg" : "PublicMsg", parts);
}

std::string GiftMsgLine(const TGiftParties& parties, int32_t localUserId, int32_t count, const TGiftText& gift,
                        int32_t pictureCount, int32_t total)
{
    const std::string picture = PictureTag(gift.picture);
    std::string pictures;
    for (int32_t i = 0; i < pictureCount && !picture.empty(); ++i)
        pictures += picture;
    return GiftLine(parties, localUserId, GiftCountText(count, gift) + pictures,
                    "(共" + N(total) + EscapeHtml(gift.unit) + ")", {});
}

std::string GiftTimedMsgLine(const TGiftParties& parties, int32_t localUserId, int32_t count, const TGiftText& gift,
                             double time)
{
    return GiftLine(parties, localUserId, GiftCountText(count, gift), TimePart(time), {});
}

std::string GiftPictureMsgLine(const TGiftParties& parties, int32_t localUserId, int32_t count, const TGiftText& gift,
                               double time)
{
    return GiftLine(parties, localUserId, GiftCountText(count, gift) + PictureTag(gift.picture), TimePart(time), {});
}

std::string GiftRoomMsgLine(const TGiftParties& parties, int32_t localUserId, int32_t count, const TGiftText& gift,
                            double time, int32_t room)
{
    return GiftLine(parties, localUserId, GiftCountText(count, gift), TimePart(time), RoomLink(room));
}

std::string AllGiftMsgLine(const std::string& picture, const TGiftParties& parties, int32_t room, int32_t count,
                           const TGiftText& gift, double time)
{
    TChatParts parts;
    parts.P[0] = PictureTag(picture) + "★礼物★：";
    parts.P[1] = parties.anonymous ? "神秘人" : Trim(UserDisplay(parties.sender));
    parts.P[2] = " 在" + N(room) + "房间给 ";
    parts.P[3] = Trim(UserDisplay(parties.receiver));
    parts.P[4] = " 赠送了 " + N(count) + EscapeHtml(gift.unit) + " " + EscapeHtml(gift.name) + "，感谢他的支持！";
    parts.P[5] = TimePart(time);
    parts.P[6] = RoomLink(room);
    return BuildLine("AllGiftMsg", parts);
}

std::string FireworksMsgLine(const TChatUser& sender, bool anonymous, int32_t localUserId, int32_t count,
                             const TGiftText& gift, int32_t bonus)
{
    TChatParts parts;
    const bool local = sender.number == localUserId;
    const PartText who = local ? PartText{"您", {}} : anonymous ? PartText{"神秘人", {}} : UserPart(sender);
    parts.P[0] = "★烟花★：";
    parts.P[1] = who.text;
    parts.L2 = who.link;
    parts.P[2] = std::string(local && anonymous ? "匿名" : "") + "为本房间所有" + AudienceWord(gift) + "绽放了" +
                 N(count) + EscapeHtml(gift.unit) + EscapeHtml(gift.name) + "。";
    if (bonus > 0)
        parts.P[3] = "您分红" + N(bonus) + (gift.coins ? "金币" : "积分") + "。";
    return BuildLine("GiveFireworks", parts);
}

std::string FireworksRoomMsgLine(const std::string& picture, const TChatUser& sender, bool anonymous,
                                 std::string_view roomName, int32_t room, int32_t count, const TGiftText& gift,
                                 double time)
{
    TChatParts parts;
    parts.P[0] = PictureTag(picture) + "★烟花★：";
    parts.P[3] = anonymous ? "神秘人" : UserDisplay(sender);
    parts.P[4] = "为" + EscapeHtml(Trim(roomName)) + "(" + N(room) + ")房间所有" + AudienceWord(gift) + "绽放了" +
                 N(count) + EscapeHtml(gift.unit) + EscapeHtml(gift.name) + ",此房间星光四射，激情无限！";
    parts.P[5] = TimePart(time);
    parts.P[6] = RoomLink(room);
    return BuildLine("GiveFireworks", parts);
}

std::string LuckMsgLine(const TChatUser& winner, const std::string& winnerPicture, bool anonymous,
                        int32_t localUserId, std::string_view giftName, int32_t multiple, int32_t coins)
{
    TChatParts parts;
    const bool local = winner.number == localUserId;
    const PartText who = local ? PartText{"您", {}} : anonymous ? PartText{"神秘人", {}} : UserPart(winner);
    parts.P[0] = "★幸运礼物★：";
    parts.P[2] = "恭喜 " + PictureTag(winnerPicture);
    parts.P[3] = who.text;
    parts.L4 = who.link;
    parts.P[4] = std::string(" ") + (local && anonymous ? "匿名" : "") + "送出 " + EscapeHtml(giftName) + " 获得" +
                 N(multiple) + "倍奖金共" + N(coins) + "金币。";
    parts.P[5] = std::string("多送多得，礼金翻倍来,") + (local ? "继续努力！" : "快来试试吧！");
    return BuildLine("GiveLuckMsg", parts);
}

std::string LuckLabaMsgLine(const std::string& picture, const TChatUser& winner, bool anonymous,
                            std::string_view giftName, int32_t multiple, int32_t coins, int32_t room, double time)
{
    TChatParts parts;
    parts.P[0] = PictureTag(picture) + "★幸运礼物★：<br>";
    parts.P[1] = "恭喜 ";
    parts.P[2] = anonymous ? "神秘人" : UserDisplay(winner) + " ";
    parts.P[3] = "送出的 " + EscapeHtml(giftName) + ", 赢取了" + N(multiple) + "倍奖金共" + N(coins) + "金币。";
    parts.P[4] = "大家快来试试自己的运气吧！";
    parts.P[5] = TimePart(time);
    parts.P[6] = RoomLink(room);
    return BuildLine("GiveLuckLabaMsg", parts);
}

std::string LabaMsgLine(const std::string& senderPicture, std::string_view senderText, std::string_view messageHtml,
                        uint32_t colour, std::string_view nameText, std::string_view linkValue)
{
    TChatParts parts;
    parts.P[0] = PictureTag(senderPicture) + EscapeHtml(senderText);
    parts.P[2] = "<font style=\"color:" + ColorToWeb(colour) + ";\">" + std::string(messageHtml) + "</font>";
    parts.P[3] = EscapeHtml(nameText);
    parts.L4 = linkValue;
    return BuildLine("LabaMsg", parts, true);
}

std::string LabaGiftMsgLine(const std::string& picture, std::string_view textHtml)
{
    TChatParts parts;
    parts.P[0] = PictureTag(picture);
    parts.P[2] = textHtml;
    return BuildLine("AllGiftMsg", parts);
}

std::string InterestMsgLine(const TChatUser& sender, const TChatUser& receiver, std::string_view firstHtml,
                            std::string_view secondHtml)
{
    TChatParts parts;
    parts.P[1] = UserDisplay(sender);
    parts.L2 = UserLinkValue(sender.number);
    if (firstHtml.empty()) {
        parts.P[2] = secondHtml;
    } else {
        parts.P[2] = firstHtml;
        parts.P[3] = receiver.number == 0 ? EscapeHtml(receiver.nick) : UserDisplay(receiver);
        parts.L4 = UserLinkValue(receiver.number);
        parts.P[5] = secondHtml;
    }
    return BuildLine("InterestMsg", parts);
}

std::string OutRoomMsgLine(const TChatUser& user)
{
    TChatParts parts;
    parts.P[0] = "★系统提示★：欢送用户 ";
    parts.P[1] = UserDisplay(user);
    parts.P[2] = " 离开房间";
    return BuildLine("OutRoomMsg", parts);
}

std::string MicStateMsgLine(const TChatUser& actor, const TChatUser& target, int32_t newState, int32_t oldState,
                            int32_t localUserId)
{
    TChatParts parts;
    parts.P[0] = "【提示】：";
    const int32_t state = newState & 0x7F;
    const bool privateMic = state >= 2 && state <= 5;
    if (actor.number != target.number) {
        const PartText a = LocalOrUser(actor, localUserId);
        const PartText t = LocalOrUser(target, localUserId);
        parts.P[1] = a.text;
        parts.L2 = a.link;
        parts.P[2] = " 把 ";
        parts.P[3] = t.text;
        parts.L4 = t.link;
        parts.P[4] = " 抱上 " + MicStateText(newState);
        return BuildLine("HoldMicMsg", parts);
    }
    if (actor.number == localUserId || !privateMic) {
        const PartText a = LocalOrUser(actor, localUserId);
        parts.P[1] = a.text;
        parts.L2 = a.link;
        parts.P[2] = " 由 " + MicStateText(oldState) + " 转为上 " + MicStateText(newState);
        return BuildLine("ReqVideoMsg", parts);
    }
    parts.P[1] = UserDisplay(actor) + " ";
    parts.L2 = UserLinkValue(actor.number);
    parts.P[2] = "开始在" + MicStateText(newState) + "上主持节目啦！";
    parts.P[3] = "点击打开私麦";
    parts.L4 = std::string(LinkKindText(TLinkKind::PriMic)) + N(actor.number);
    return BuildLine("ReqVideoMsg", parts);
}

std::string WeekStarLine(std::string_view textHtml)
{
    TChatParts parts;
    parts.P[0] = textHtml;
    return BuildLine("WeekStar", parts);
}

std::string KingInRoomLine(const TChatUser& user, const std::string& picture)
{
    return SeatLine("KingInRoom", "城主", user, picture);
}

std::string QueenInRoomLine(const TChatUser& user, const std::string& picture)
{
    return SeatLine("QueenInRoom", "城后", user, picture);
}

std::string AtfdLine(const TChatUser& attacker, const TChatUser& receiver, int32_t troops, std::string_view castle,
                     double time)
{
    TChatParts parts;
    parts.P[0] = "★攻城★：";
    parts.P[1] = UserDisplay(attacker);
    parts.P[2] = "用" + N(troops) + "个骑兵攻下了主城送给了";
    parts.P[3] = " " + UserDisplay(receiver) + " ";
    parts.P[4] = ",他们成为了" + EscapeHtml(castle) + "城的城主城后.目前拥有" + N(troops) + "兵力.";
    parts.P[5] = TimePart(time);
    return BuildLine("AtfdAtfd", parts);
}

std::string AtfdDefenseLine(const TChatUser& first, const TChatUser& second, std::string_view castle,
                            int32_t troopsSent, int32_t totalTroops, double time)
{
    TChatParts parts;
    parts.P[0] = "★攻城★：";
    parts.P[1] = UserDisplay(first);
    parts.P[2] = " 和 ";
    parts.P[3] = UserDisplay(second);
    parts.P[4] = " 向" + EscapeHtml(castle) + "城堡增派了" + N(troopsSent) + "个骑兵,";
    parts.P[5] = "他们的守城总兵力达到" + N(totalTroops) + "个骑兵.";
    parts.P[6] = TimePart(time);
    return BuildLine("AtfdDefense", parts);
}

std::string AtfdTimeOutLine(std::string_view castle)
{
    TChatParts parts;
    parts.P[0] = "★攻城★：上任城主的任期已到,现在" + EscapeHtml(castle) + "城堡是一座空城,欢迎各位勇士占城为王.";
    return BuildLine("AtfdTimeOut", parts);
}

std::string SealAddLine(std::string_view actorNick, double time, const std::string& sealPicture,
                        std::string_view targetNick)
{
    TChatParts parts;
    parts.P[0] = "★印章★ ";
    parts.P[1] = EscapeHtml(actorNick);
    parts.P[2] = "手起章落,";
    parts.P[3] = EscapeHtml(targetNick);
    parts.P[4] = "身上出现了一个大大的印章";
    parts.P[5] = "<img src=\"" + EscapeHtml(sealPicture) + "\">";
    parts.P[6] = TimePart(time, true);
    return BuildLine("SealAdd", parts);
}

std::string SealDelLine(bool expired, std::string_view actorNick, double time, const std::string& sealPicture,
                        std::string_view targetNick)
{
    TChatParts parts;
    parts.P[0] = "★印章★";
    if (expired) {
        parts.P[2] = "印章系统有效期到,系统清除了";
        parts.P[4] = "身上的印章";
    } else {
        parts.P[1] = EscapeHtml(actorNick);
        parts.P[2] = "为";
        parts.P[4] = "清除了身上的印章";
    }
    parts.P[3] = EscapeHtml(targetNick);
    parts.P[5] = PictureTag(sealPicture);
    parts.P[6] = TimePart(time, true);
    return BuildLine("SealDel", parts);
}

} // namespace vlk
