// Every room message a server sends is read on the GUI thread straight from the network: no parser
// may accept bytes that its accessors then read past, whatever the bytes are. An accessor that reads
// outside the message throws, and the uncaught exception is the finding.
//
// Input: one selector byte, then the message. A message whose envelope names a known code goes to
// that code's parser; anything else goes to the parser the selector picks, with that parser's
// envelope written over the first eight bytes so that its own checks are reached.
#include "room/AdminMessagesIn.h"
#include "room/AdminMessagesOut.h"
#include "room/GiftMessagesIn.h"
#include "room/GiftMessagesOut.h"
#include "room/MicMessagesIn.h"
#include "room/SessionMessagesIn.h"
#include "room/SessionMessagesOut.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using namespace vlk;

using TParser = void (*)(const uint8_t* data, size_t size);

template <class M, class... Read>
void Parse(const uint8_t* data, size_t size, Read... read)
{
    if (const auto m = ParseAs<M>(data, size))
        (read(*m), ...);
}

// Parsers whose accepted messages have nothing beyond their fixed fields: their least length is
// checked against every field by the unit tests, so parsing and the last byte are enough here.
template <class M>
void Fixed(const uint8_t* data, size_t size)
{
    Parse<M>(data, size, [](const M& m) { (void)m.u8(M::kMinLength - 1); });
}

struct TEntry {
    int32_t code;
    TParser parse;
};

const std::vector<TEntry>& Parsers()
{
    static const std::vector<TEntry> parsers = {
        {TKeepAliveAck::kCode, Fixed<TKeepAliveAck>},
        {TEnterAck::kCode, [](const uint8_t* d, size_t n) { Parse<TEnterAck>(d, n, [](const TEnterAck& m) { (void)m.Luxury(); }); }},
        {TUserListPage::kCode,
         [](const uint8_t* d, size_t n) {
             Parse<TUserListPage>(d, n, [](const TUserListPage& m) {
                 for (const auto& u : m.Users())
                     (void)(u.Nickname() + u.ShownPicture() + u.RoleTitle() + u.LevelTitle());
             });
         }},
        {TUserEntered::kCode,
         [](const uint8_t* d, size_t n) {
             Parse<TUserEntered>(d, n, [](const TUserEntered& m) { (void)m.User().RoleData().RoleTitle(); });
         }},
        {TUserLeft::kCode, Fixed<TUserLeft>},
        {TPublicChat::kCode,
         [](const uint8_t* d, size_t n) {
             Parse<TPublicChat>(d, n, [](const TPublicChat& m) { (void)(m.Text() + m.FontName() + m.SendTime()); });
         }},
        {TPrivateChat::kCode,
         [](const uint8_t* d, size_t n) {
             Parse<TPrivateChat>(d, n, [](const TPrivateChat& m) { (void)(m.Text() + m.FontName() + m.SendTime()); });
         }},
        {TChatRefused::kCode, Fixed<TChatRefused>},
        {TFunWordNotice::kCode,
         [](const uint8_t* d, size_t n) {
             Parse<TFunWordNotice>(d, n, [](const TFunWordNotice& m) {
                 TFunWordNotice filled = m;
                 filled.SetSendTime("12:00:00");
             });
         }},
        {TFunWordResult::kCode, Fixed<TFunWordResult>},
        {TAnnouncement::kCode, [](const uint8_t* d, size_t n) { Parse<TAnnouncement>(d, n, [](const TAnnouncement& m) { (void)m.Text(); }); }},
        {TDiceResult::kCode, Fixed<TDiceResult>},
        {TGameWin::kCode, [](const uint8_t* d, size_t n) { Parse<TGameWin>(d, n, [](const TGameWin& m) { (void)m.GameName(); }); }},
        {TMicAddress::kCode, [](const uint8_t* d, size_t n) { Parse<TMicAddress>(d, n, [](const TMicAddress& m) { (void)m.Entry(); }); }},
        {TMicPositions::kCode,
         [](const uint8_t* d, size_t n) { Parse<TMicPositions>(d, n, [](const TMicPositions& m) { (void)m.Entries(); }); }},
        {TMicQueue::kCode, [](const uint8_t* d, size_t n) { Parse<TMicQueue>(d, n, [](const TMicQueue& m) { (void)m.Users(); }); }},
        {TMicQueueList::kCode,
         [](const uint8_t* d, size_t n) { Parse<TMicQueueList>(d, n, [](const TMicQueueList& m) { (void)m.Users(); }); }},
        {TUserGotMic::kCode, Fixed<TUserGotMic>},
        {TUserLeftMic::kCode, Fixed<TUserLeftMic>},
        {TPanelMode::kCode, Fixed<TPanelMode>},
        {TTakenOffPrivateMic::kCode, Fixed<TTakenOffPrivateMic>},
        {TMicTimeAdded::kCode,
         [](const uint8_t* d, size_t n) { Parse<TMicTimeAdded>(d, n, [](const TMicTimeAdded& m) { (void)m.ActingNickname(); }); }},
        {TMicQueueMoved::kCode, Fixed<TMicQueueMoved>},
        {TVideoClosed::kCode, [](const uint8_t* d, size_t n) { Parse<TVideoClosed>(d, n, [](const TVideoClosed& m) { (void)m.Nickname(); }); }},
        {TLocalSendAddress::kCode, Fixed<TLocalSendAddress>},
        {TMicRequestResult::kCode, Fixed<TMicRequestResult>},
        {TTakeDownResult::kCode, Fixed<TTakeDownResult>},
        {THoldUpResult::kCode, Fixed<THoldUpResult>},
        {TAddMicTimeResult::kCode, Fixed<TAddMicTimeResult>},
        {TMicQueueResult::kCode, Fixed<TMicQueueResult>},
        {TOneToOneRefused::kCode, Fixed<TOneToOneRefused>},
        {TOneToOneRequested::kCode, Fixed<TOneToOneRequested>},
        {TOneToOneAnswered::kCode, Fixed<TOneToOneAnswered>},
        {TOneToOneGranted::kCode, Fixed<TOneToOneGranted>},
        {TPaidMicEnded::kCode,
         [](const uint8_t* d, size_t n) { Parse<TPaidMicEnded>(d, n, [](const TPaidMicEnded& m) { (void)m.OwnerNickname(); }); }},
        {TPrivateMicViewerLeft::kCode, Fixed<TPrivateMicViewerLeft>},
        {TBannedFromPrivateMic::kCode, Fixed<TBannedFromPrivateMic>},
        {TViewerBanAnswer::kCode,
         [](const uint8_t* d, size_t n) { Parse<TViewerBanAnswer>(d, n, [](const TViewerBanAnswer& m) { (void)m.ViewerNickname(); }); }},
        {TPaidMicPrice::kCode, Fixed<TPaidMicPrice>},
        {TPaidMicGiftFailed::kCode, Fixed<TPaidMicGiftFailed>},
        {TRecordRequested::kCode, Fixed<TRecordRequested>},
        {TRecordAnswered::kCode, Fixed<TRecordAnswered>},
        {TUserInformation::kCode,
         [](const uint8_t* d, size_t n) { Parse<TUserInformation>(d, n, [](const TUserInformation& m) { (void)m.Profile().Note(); }); }},
        {TKickResult::kCode, Fixed<TKickResult>},
        {TUserAddress::kCode, Fixed<TUserAddress>},
        {TMuteResult::kCode, Fixed<TMuteResult>},
        {TFavouritesResult::kCode, Fixed<TFavouritesResult>},
        {TRoomSettings::kCode,
         [](const uint8_t* d, size_t n) { Parse<TRoomSettings>(d, n, [](const TRoomSettings& m) { (void)m.Room().LinkAddress(3); }); }},
        {TRoomSettingsChanged::kCode,
         [](const uint8_t* d, size_t n) {
             Parse<TRoomSettingsChanged>(d, n, [](const TRoomSettingsChanged& m) {
                 TRoomInfo room = m.Room();
                 room.KeepAddressOf(TRoomInfo());
                 (void)room.TextStyle();
             });
         }},
        {TBlacklist::kCode, [](const uint8_t* d, size_t n) { Parse<TBlacklist>(d, n, [](const TBlacklist& m) { (void)m.Entries(); }); }},
        {TAdminList::kCode, [](const uint8_t* d, size_t n) { Parse<TAdminList>(d, n, [](const TAdminList& m) { (void)m.Entries(); }); }},
        {TTempAdminList::kCode,
         [](const uint8_t* d, size_t n) { Parse<TTempAdminList>(d, n, [](const TTempAdminList& m) { (void)m.Entries(); }); }},
        {TBlockedAddressList::kCode,
         [](const uint8_t* d, size_t n) { Parse<TBlockedAddressList>(d, n, [](const TBlockedAddressList& m) { (void)m.Entries(); }); }},
        {TDeputyOwnerResult::kCode,
         [](const uint8_t* d, size_t n) { Parse<TDeputyOwnerResult>(d, n, [](const TDeputyOwnerResult& m) { (void)m.Error(); }); }},
        {TBlockedAddressResult::kCode,
         [](const uint8_t* d, size_t n) { Parse<TBlockedAddressResult>(d, n, [](const TBlockedAddressResult& m) { (void)m.Entry(); }); }},
        {TCloseRoomResult::kCode, Fixed<TCloseRoomResult>},
        {TAddAdminResult::kCode, Fixed<TAddAdminResult>},
        {TRemoveAdminResult::kCode, Fixed<TRemoveAdminResult>},
        {TAddToBlacklistResult::kCode, Fixed<TAddToBlacklistResult>},
        {TRemoveFromBlacklistResult::kCode, Fixed<TRemoveFromBlacklistResult>},
        {TRoomRestart::kCode, [](const uint8_t* d, size_t n) { Parse<TRoomRestart>(d, n, [](const TRoomRestart& m) { (void)m.Reason(); }); }},
        {TMuteNotice::kCode, Fixed<TMuteNotice>},
        {TKickNotice::kCode, Fixed<TKickNotice>},
        {TTempAdminAdded::kCode,
         [](const uint8_t* d, size_t n) {
             Parse<TTempAdminAdded>(d, n, [](const TTempAdminAdded& m) { (void)m.Rights().LookUpAddressLevels().Permits(); });
         }},
        {TAdminAdded::kCode, [](const uint8_t* d, size_t n) { Parse<TAdminAdded>(d, n, [](const TAdminAdded& m) { (void)m.RoleData(); }); }},
        {TAdminRemoved::kCode,
         [](const uint8_t* d, size_t n) { Parse<TAdminRemoved>(d, n, [](const TAdminRemoved& m) { (void)m.Rights().FurtherFlag(3); }); }},
        {TTempAdminRemoved::kCode,
         [](const uint8_t* d, size_t n) { Parse<TTempAdminRemoved>(d, n, [](const TTempAdminRemoved& m) { (void)m.User().SealExpiry(); }); }},
        {TRoomNotice::kCode, [](const uint8_t* d, size_t n) { Parse<TRoomNotice>(d, n, [](const TRoomNotice& m) { (void)m.Text(); }); }},
        {TGiftResult::kCode, Fixed<TGiftResult>},
        {TGiftSent::kCode, [](const uint8_t* d, size_t n) { Parse<TGiftSent>(d, n, [](const TGiftSent& m) { (void)m.GiftName(); }); }},
        {TLuckyGiftWon::kCode, Fixed<TLuckyGiftWon>},
        {TFireworksShare::kCode,
         [](const uint8_t* d, size_t n) { Parse<TFireworksShare>(d, n, [](const TFireworksShare& m) { (void)m.Receivers(); }); }},
        {TGiftInAllRooms::kCode,
         [](const uint8_t* d, size_t n) { Parse<TGiftInAllRooms>(d, n, [](const TGiftInAllRooms& m) { (void)m.RoomName(); }); }},
        {TLuxuryList::kCode, [](const uint8_t* d, size_t n) { Parse<TLuxuryList>(d, n, [](const TLuxuryList& m) { (void)m.Records(); }); }},
        {TLoudspeakerNotice::kCode,
         [](const uint8_t* d, size_t n) {
             Parse<TLoudspeakerNotice>(d, n, [](const TLoudspeakerNotice& m) {
                 (void)(m.MessageText() + m.LinkText() + m.LinkValue());
                 (void)m.Record();
             });
         }},
        {TSealResult::kCode, Fixed<TSealResult>},
        {TClearSealResult::kCode, Fixed<TClearSealResult>},
        {TSealPutOn::kCode, Fixed<TSealPutOn>},
        {TSealCleared::kCode, Fixed<TSealCleared>},
        {TGiftValueCredited::kCode, Fixed<TGiftValueCredited>},
        {TExchangeResult::kCode, Fixed<TExchangeResult>},
        {TBalance::kCode, Fixed<TBalance>},
        {TPurchaseBalance::kCode, Fixed<TPurchaseBalance>},
        // The client's variable messages, as the loopback server reads them.
        {TChat::kCode, [](const uint8_t* d, size_t n) { Parse<TChat>(d, n, [](const TChat& m) { (void)m.Text(); }); }},
        {TPublishNotice::kCode, [](const uint8_t* d, size_t n) { Parse<TPublishNotice>(d, n, [](const TPublishNotice& m) { (void)m.Text(); }); }},
        {TLoudspeaker::kCode,
         [](const uint8_t* d, size_t n) { Parse<TLoudspeaker>(d, n, [](const TLoudspeaker& m) { (void)(m.Text() + m.Nickname()); }); }},
    };
    return parsers;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const auto& parsers = Parsers();
    const uint8_t* message = data + 1;
    const size_t length = size - 1;

    const int32_t code = vlk::EnvelopeValid(message, length) ? vlk::CommandCode(message, length) : -1;
    for (const auto& p : parsers) {
        if (p.code == code) {
            p.parse(message, length);
            return 0;
        }
    }

    const TEntry& chosen = parsers[data[0] % parsers.size()];
    std::vector<uint8_t> stamped(message, message + length);
    if (stamped.size() >= vlk::kEnvelopeSize) {
        vlk::TRecord envelope(8);
        envelope.setI32(0, vlk::kEnvelopeMagic);
        envelope.setI32(4, chosen.code);
        std::memcpy(stamped.data(), envelope.data(), 8);
    }
    chosen.parse(stamped.data(), stamped.size());
    return 0;
}
