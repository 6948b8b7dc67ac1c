#include "room/GiftMessagesIn.h"

#include <algorithm>

namespace vlk {
namespace {

// The GBK forms of the three loudspeaker texts, cut in this order to what one message can carry.
struct TLoudspeakerTexts {
    std::string message, linkText, linkValue;
};

TLoudspeakerTexts CutLoudspeakerTexts(std::string_view message, std::string_view linkText, std::string_view linkValue)
{
    constexpr size_t kRoom = kMaxRoomMessage - TLoudspeakerNotice::kMinLength;
    TLoudspeakerTexts texts;
    texts.message = Utf8ToGbkLimited(message, kRoom);
    texts.linkText = Utf8ToGbkLimited(linkText, kRoom - texts.message.size());
    texts.linkValue = Utf8ToGbkLimited(linkValue, kRoom - texts.message.size() - texts.linkText.size());
    return texts;
}

std::string JoinedLoudspeakerTexts(std::string_view message, std::string_view linkText, std::string_view linkValue)
{
    const TLoudspeakerTexts texts = CutLoudspeakerTexts(message, linkText, linkValue);
    return texts.message + texts.linkText + texts.linkValue;
}

} // namespace

TFireworksShare::TFireworksShare(const std::vector<uint32_t>& receivers)
    : TRoomMessage(kCode, kMinLength + 4 * receivers.size())
{
    setI32(71, static_cast<int32_t>(receivers.size()));
    SetNumbersAt(kMinLength, receivers);
}

TLuxuryList::TLuxuryList(const std::vector<TLuxuryRecord>& records)
    : TRoomMessage(kCode, kMinLength + records.size() * TLuxuryRecord::kSize)
{
    setI32(16, static_cast<int32_t>(records.size()));
    SetRecordsAt(kMinLength, records);
}

std::vector<TLuxuryRecord> TLuxuryList::Records() const
{
    if (Count() < 0)
        return {};
    const int64_t present = static_cast<int64_t>((size() - kMinLength) / TLuxuryRecord::kSize);
    return RecordsAt<TLuxuryRecord>(kMinLength, std::min<int64_t>(int64_t{Count()} + 1, present));
}

TLoudspeakerNotice::TLoudspeakerNotice(std::string_view message, std::string_view linkText, std::string_view linkValue)
    : TRoomMessage(kCode, kMinLength, JoinedLoudspeakerTexts(message, linkText, linkValue))
{
    const TLoudspeakerTexts texts = CutLoudspeakerTexts(message, linkText, linkValue);
    setU32(98, static_cast<uint32_t>(size() - kMinLength));
    setU32(kRecordOffset + 43, static_cast<uint32_t>(texts.linkText.size()));
    setU32(kRecordOffset + 47, static_cast<uint32_t>(texts.linkValue.size()));
}

bool TLoudspeakerNotice::Fits() const
{
    return TextFits(kMinLength, TextLength())
           && uint64_t{LinkTextLength()} + LinkValueLength() <= TextLength();
}

void TLoudspeakerNotice::SetRecord(const TLoudspeakerRecord& v)
{
    const uint32_t linkText = LinkTextLength(), linkValue = LinkValueLength();
    setRaw(kRecordOffset, RecordView(v));
    setU32(kRecordOffset + 43, linkText);
    setU32(kRecordOffset + 47, linkValue);
}

std::string TLoudspeakerNotice::MessageText() const
{
    return GbkText(kMinLength, TextLength() - LinkTextLength() - LinkValueLength());
}

std::string TLoudspeakerNotice::LinkText() const
{
    return GbkText(kMinLength + TextLength() - LinkTextLength() - LinkValueLength(), LinkTextLength());
}

std::string TLoudspeakerNotice::LinkValue() const
{
    return GbkText(kMinLength + TextLength() - LinkValueLength(), LinkValueLength());
}

} // namespace vlk
