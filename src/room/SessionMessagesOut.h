#pragma once
// Client messages of the room session: keep-alive, entering and leaving, chat, fun words, dice.
#include "room/RoomCommands.h"
#include "room/RoomMessage.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vlk {

// 10021, H and six zero bytes.
class TKeepAlive : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kKeepAlive;
    static constexpr size_t kLength = 32, kMinLength = kLength;
    explicit TKeepAlive(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
};

// 20013: sent before any connection tag exists, so H0 with zeros in its place.
class TEnterRoom : public TRoomShortRequest {
public:
    static constexpr int32_t kCode = roomcmd::kEnterRoom;
    static constexpr size_t kLength = 43, kMinLength = kLength;
    explicit TEnterRoom(const TRoomIdentity& id = {}) : TRoomShortRequest(kCode, kLength, id) {}
    uint32_t ClientID() const { return u32(26); }
    void SetClientID(uint32_t v) { setU32(26, v); }
    // 12 upper-case hex digits.
    std::string MacAddress() const { return text(30, 12); }
    void SetMacAddress(const std::string& v) { setText(30, 12, v); }
};

using TLeaveRoom = THeaderOnlyRequest<roomcmd::kLeaveRoom>;

// 19012: the chat line's text follows the fixed part.
class TChat : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kChat;
    static constexpr size_t kMinLength = 75;
    // GBK bytes; a longer text is cut without splitting a character.
    static constexpr size_t kMaxText = 1000;

    explicit TChat(const TRoomIdentity& id = {}, std::string_view text = {});
    bool Fits() const { return TextFits(kMinLength, TextLength()); }

    // 0: everybody.
    uint32_t Receiver() const { return u32(26); }
    void SetReceiver(uint32_t v) { setU32(26, v); }
    // "H:mm:ss".
    std::string SendTime() const { return text(30, 8); }
    void SetSendTime(const std::string& v) { setText(30, 8, v); }
    bool Private() const { return u8(39) != 0; }
    void SetPrivate(bool v) { setU8(39, v); }
    bool AutoReply() const { return u8(40) != 0; }
    void SetAutoReply(bool v) { setU8(40, v); }
    std::string FontName() const { return text(46, 15); }
    void SetFontName(const std::string& v) { setText(46, 15, v); }
    uint32_t FontSize() const { return u32(62); }
    void SetFontSize(uint32_t v) { setU32(62, v); }
    uint32_t FontColor() const { return u32(66); }
    void SetFontColor(uint32_t v) { setU32(66, v); }
    uint8_t FontStyle() const { return u8(70); }
    void SetFontStyle(uint8_t v) { setU8(70, v); }
    uint32_t TextLength() const { return u32(71); }
    std::string Text() const { return GbkText(kMinLength, TextLength()); }
};

// 20022.
class TFunWord : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kFunWord;
    static constexpr size_t kLength = 81, kMinLength = kLength;
    explicit TFunWord(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    uint32_t Receiver() const { return u32(26); }
    void SetReceiver(uint32_t v) { setU32(26, v); }
    uint32_t FunWordNumber() const { return u32(30); }
    void SetFunWordNumber(uint32_t v) { setU32(30, v); }
};

// 81041: H0 and zeros.
class TDice : public TRoomShortRequest {
public:
    static constexpr int32_t kCode = roomcmd::kDice;
    static constexpr size_t kLength = 32, kMinLength = kLength;
    explicit TDice(const TRoomIdentity& id = {}) : TRoomShortRequest(kCode, kLength, id) {}
};

} // namespace vlk
