#pragma once
// What all room messages share. A message is its bytes, kept whole as received; accessors read and
// write fields at their offsets. Each message class fixes kCode and kMinLength, the least length
// that holds every fixed field it reads; messages with a count or a text length read from the wire
// also check in Fits that the variable part lies inside the bytes received. ParseAs refuses what
// fails either check, so no accessor of a parsed message reads past its end.
#include "base/Gbk.h"
#include "base/Record.h"
#include "net/Message.h"
#include "room/FixedRecord.h"
#include "room/RoomHeader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vlk {

// The channel carries 16-bit lengths and the cipher adds up to 11 bytes.
inline constexpr size_t kMaxRoomMessage = 65528;

class TRoomMessage : public TMessage {
protected:
    // length zeroed bytes with the envelope, followed by tail.
    TRoomMessage(int32_t code, size_t length, std::string_view tail = {});

    // length bytes of GBK text at off, as UTF-8.
    std::string GbkText(size_t off, size_t length) const { return GbkToUtf8(raw(off, length)); }
    bool TextFits(size_t off, int64_t length) const;
    // A count of 0 or less stands for no records.
    bool RecordsFit(size_t off, int64_t count, size_t each) const;
    // A text whose room the layout leaves open: up to maxRoom bytes, never past the end.
    std::string TrailingText(size_t off, size_t maxRoom) const;

    template <class R>
    std::vector<R> RecordsAt(size_t off, int64_t count) const
    {
        std::vector<R> records;
        for (int64_t i = 0; i < count; ++i)
            records.push_back(RecordAt<R>(*this, off + static_cast<size_t>(i) * R::kSize));
        return records;
    }
    std::vector<uint32_t> NumbersAt(size_t off, int64_t count) const;
    void SetNumbersAt(size_t off, const std::vector<uint32_t>& numbers);
    template <class R>
    void SetRecordsAt(size_t off, const std::vector<R>& records)
    {
        for (size_t i = 0; i < records.size(); ++i)
            setRaw(off + i * R::kSize, RecordView(records[i]));
    }
};

// A client message that opens with H0: envelope, local user, room and hall key.
class TRoomShortRequest : public TRoomMessage {
public:
    int32_t UserNumber() const { return i32(8); }
    int32_t RoomNumber() const { return i32(12); }
    uint32_t HallKey() const { return u32(16); }

protected:
    TRoomShortRequest(int32_t code, size_t length, const TRoomIdentity& id, std::string_view tail = {});
};

// A client message that opens with H: H0 and the connection tag.
class TRoomRequest : public TRoomShortRequest {
public:
    TConnectionTag Tag() const { return {u32(20), u16(24)}; }

protected:
    TRoomRequest(int32_t code, size_t length, const TRoomIdentity& id, std::string_view tail = {});
};

// H alone.
template <int32_t Cmd>
class THeaderOnlyRequest : public TRoomRequest {
public:
    static constexpr int32_t kCode = Cmd;
    static constexpr size_t kLength = TRoomHeader::kSize, kMinLength = kLength;
    explicit THeaderOnlyRequest(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
};

// H and the user acted on.
template <int32_t Cmd>
class TUserRequest : public TRoomRequest {
public:
    static constexpr int32_t kCode = Cmd;
    static constexpr size_t kLength = 30, kMinLength = kLength;
    explicit TUserRequest(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    uint32_t User() const { return u32(26); }
    void SetUser(uint32_t v) { setU32(26, v); }
};

} // namespace vlk
