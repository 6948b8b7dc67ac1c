#pragma once
// The chat views' lines: each kind of line is one HTML fragment, a div whose class names the kind
// and whose parts are spans "part1" to "part7" styled by the view's style sheet. These functions
// build the fragments; the views only append them.
//
// Parameters named ...Html are HTML that the caller built or already sanitised and transformed
// (TransformMessage); nicks, names and other texts are plain text and are escaped here, since most
// of them come from other members.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vlk {

class TEmotion;
class TWordFilter;

struct TChatParts {
    std::array<std::string, 7> P;  // P[0] is part1
    std::string L2, L4;            // link values of part2 and part4 ("UserInfo:12"), empty for none
};

// Empty parts are left out; the second form (trailingBreak) ends the div with "<BR>".
std::string BuildLine(std::string_view className, const TChatParts& parts, bool trailingBreak = false);

struct TChatUser {
    int32_t number = 0;
    std::string nick;
};

// "nick(number)".
std::string UserDisplay(const TChatUser& user);
// "UserInfo:" + number.
std::string UserLinkValue(int32_t number);
// "<img src=\"path\">", or empty when the file does not exist.
std::string PictureTag(const std::string& path);
// "<a href=\"link[RoomID:n]\">【n房间】</a>".
std::string RoomLink(int32_t room);
// The time of day of a date-time (days since 1899-12-30): "H:mm:ss", or "hh:mm:ss".
std::string TimeText(double dateTime, bool twoDigitHour = false);

// Emoticon codes "{" + 32 letters or digits + "}" whose face is in the catalogue and whose animated
// picture exists become "<IMG src=\"file\">"; the rest stays text. Tags are not looked into.
std::string ConvertEmotion(std::string_view html, const TEmotion& emotion);
// What every chat, system and loudspeaker message goes through before it is placed in a line.
std::string TransformMessage(std::string_view html, const TEmotion& emotion, const TWordFilter& filter);

struct TChatFont {
    std::string name;
    int32_t size = 9;        // points
    uint32_t colour = 0;     // platform colour 0x00BBGGRR
    uint32_t styleBits = 0;  // bit 0 bold, 1 italic, 2 underline, 3 strike-out
};
// The message inside the sender's font. A font name that could break out of the style is left out.
std::string StyleChatMessage(std::string_view messageHtml, const TChatFont& font);

// A gift as the lines show it, taken from the gift catalogue by the caller (empty when missing).
struct TGiftText {
    std::string name;
    std::string unit;
    std::string picture;     // full path of the chat picture
    bool forAdmins = false;  // audience kind 4
    bool coins = false;      // currency flag
};

struct TGiftParties {
    TChatUser sender;
    TChatUser receiver;
    bool anonymous = false;
};

std::string SystemMsgLine(int32_t kind, std::string_view title, std::string_view linkText,
                          std::string_view messageHtml);
std::string ChatMsgLine(bool whisper, const TChatUser& sender, const std::string& senderPicture,
                        const TChatUser& receiver, const std::string& receiverPicture, std::string_view messageHtml,
                        const TChatFont& font, double time);

// Gift lines in this room; localUserId decides "您", "神秘人" and "匿名".
std::string GiftMsgLine(const TGiftParties& parties, int32_t localUserId, int32_t count, const TGiftText& gift,
                        int32_t pictureCount, int32_t total);
std::string GiftTimedMsgLine(const TGiftParties& parties, int32_t localUserId, int32_t count, const TGiftText& gift,
                             double time);
std::string GiftPictureMsgLine(const TGiftParties& parties, int32_t localUserId, int32_t count, const TGiftText& gift,
                               double time);
std::string GiftRoomMsgLine(const TGiftParties& parties, int32_t localUserId, int32_t count, const TGiftText& gift,
                            double time, int32_t room);
std::string AllGiftMsgLine(const std::string& picture, const TGiftParties& parties, int32_t room, int32_t count,
                           const TGiftText& gift, double time);
std::string FireworksMsgLine(const TChatUser& sender, bool anonymous, int32_t localUserId, int32_t count,
                             const TGiftText& gift, int32_t bonus);
std::string FireworksRoomMsgLine(const std::string& picture, const TChatUser& sender, bool anonymous,
                                 std::string_view roomName, int32_t room, int32_t count, const TGiftText& gift,
                                 double time);
std::string LuckMsgLine(const TChatUser& winner, const std::string& winnerPicture, bool anonymous,
                        int32_t localUserId, std::string_view giftName, int32_t multiple, int32_t coins);
std::string LuckLabaMsgLine(const std::string& picture, const TChatUser& winner, bool anonymous,
                            std::string_view giftName, int32_t multiple, int32_t coins, int32_t room, double time);

// The loudspeaker line: senderText and nameText are plain text; linkValue the value of the name.
std::string LabaMsgLine(const std::string& senderPicture, std::string_view senderText, std::string_view messageHtml,
                        uint32_t colour, std::string_view nameText, std::string_view linkValue);
std::string LabaGiftMsgLine(const std::string& picture, std::string_view textHtml);
// A fun word; the texts are the phrase library's pair for its number.
std::string InterestMsgLine(const TChatUser& sender, const TChatUser& receiver, std::string_view firstHtml,
                            std::string_view secondHtml);
std::string OutRoomMsgLine(const TChatUser& user);
std::string MicStateMsgLine(const TChatUser& actor, const TChatUser& target, int32_t newState, int32_t oldState,
                            int32_t localUserId);
std::string WeekStarLine(std::string_view textHtml);
std::string KingInRoomLine(const TChatUser& user, const std::string& picture);
std::string QueenInRoomLine(const TChatUser& user, const std::string& picture);
std::string AtfdLine(const TChatUser& attacker, const TChatUser& receiver, int32_t troops, std::string_view castle,
                     double time);
std::string AtfdDefenseLine(const TChatUser& first, const TChatUser& second, std::string_view castle,
                            int32_t troopsSent, int32_t totalTroops, double time);
std::string AtfdTimeOutLine(std::string_view castle);
std::string SealAddLine(std::string_view actorNick, double time, const std::string& sealPicture,
                        std::string_view targetNick);
// expired: the seal ran out and the system removed it (actorNick is not shown).
std::string SealDelLine(bool expired, std::string_view actorNick, double time, const std::string& sealPicture,
                        std::string_view targetNick);

} // namespace vlk
