#include "room/AdminMessagesIn.h"
#include "room/GiftMessagesIn.h"
#include "room/MicMessagesIn.h"
#include "room/SessionMessagesIn.h"
#include "room/FieldTable.h"

#include <gtest/gtest.h>

#include <limits>

namespace vlk::roomtest {
namespace {

template <class M>
TMessageCase In(const char* name, int32_t code, size_t length, std::vector<TField<M>> fields = {})
{
    return MessageCase<M>(name, code, length, THeaderKind::None, std::move(fields));
}

template <class M>
std::vector<TField<M>> RoleNoticeFields()
{
    return {ROOM_FIELD(M, ActingUser, 8, U32), ROOM_FIELD(M, User, 16, U32), ROOM_RECORD(M, RoleData, 20, TRoleData),
            ROOM_RECORD(M, Rights, 54, TRoomRights)};
}

// Every message the client receives, at the least length that holds the fields it reads. Counts and
// text lengths are 0 here; the variable parts have their own tests.
std::vector<TMessageCase> ServerMessages()
{
    using GotMic = TUserGotMic;
    using Chat = TPublicChat;
    using Whisper = TPrivateChat;
    using Sent = TGiftSent;
    return {
        In<TKeepAliveAck>("keep-alive acknowledgement", 10022, 26,
                          {ROOM_GET(TKeepAliveAck, "tag value", 20, U32, 0xC1C2C3C4u, m.Tag().value),
                           ROOM_GET(TKeepAliveAck, "tag word", 24, U16, 0xD1D2, m.Tag().word)}),
        In<TEnterAck>("enter acknowledgement", 20111, 30,
                      {ROOM_GET(TEnterAck, "tag value", 20, U32, 0xC1C2C3C4u, m.Tag().value),
                       ROOM_GET(TEnterAck, "tag word", 24, U16, 0xD1D2, m.Tag().word),
                       ROOM_GET(TEnterAck, "luxury count", 26, I32, 0, m.LuxuryCount())}),
        In<TUserListPage>("user list page", 20121, 32,
                          {ROOM_GET(TUserListPage, "count", 20, I32, 0, m.Count()), ROOM_FIELD(TUserListPage, ServerTime, 24, F64)}),
        In<TUserEntered>("user entered", 8041, 177,
                         {ROOM_FIELD(TUserEntered, UserNumber, 8, U32), ROOM_RECORD(TUserEntered, User, 20, TRoomUser)}),
        In<TUserLeft>("user left", 8016, 12, {ROOM_FIELD(TUserLeft, UserNumber, 8, U32)}),
        In<TMicAddress>("a user's mic address", 20122, 41, {ROOM_RECORD(TMicAddress, Entry, 20, TMicEntry)}),
        In<TMicPositions>("mic positions", 8000, 20, {ROOM_GET(TMicPositions, "count", 16, I32, 0, m.Count())}),
        In<TMicQueue>("mic queue", 8011, 20, {ROOM_GET(TMicQueue, "count", 16, I32, 0, m.Count())}),
        In<TMicQueueList>("mic queue list", 18011, 20, {ROOM_GET(TMicQueueList, "count", 16, I32, 0, m.Count())}),
        In<GotMic>("user got a mic", 8033, 42,
                   {ROOM_FIELD(GotMic, UserNumber, 8, U32), ROOM_FIELD(GotMic, ActingUser, 16, U32),
                    ROOM_FIELD(GotMic, PreviousMicState, 24, U8), ROOM_FIELD(GotMic, MicState, 25, U8),
                    ROOM_FIELD(GotMic, PanelIndex, 26, I16), ROOM_FIELD(GotMic, MediaAddress, 28, U32),
                    ROOM_FIELD(GotMic, MediaPort, 32, U16), ROOM_FIELD(GotMic, MicTimeUsed, 34, I32),
                    ROOM_FIELD(GotMic, MicTimeAllowed, 38, I32)}),
        In<TUserLeftMic>("user left a mic", 9014, 24,
                         {ROOM_FIELD(TUserLeftMic, ActingUser, 8, I32), ROOM_FIELD(TUserLeftMic, UserNumber, 16, U32),
                          ROOM_FIELD(TUserLeftMic, PanelIndex, 20, I16), ROOM_FIELD(TUserLeftMic, Reason, 22, I16)}),
        In<TPanelMode>("public panel mode", 9015, 19,
                       {ROOM_FIELD(TPanelMode, ModeFlag, 16, Bool), ROOM_FIELD(TPanelMode, PanelIndex, 17, I16)}),
        In<TTakenOffPrivateMic>("user taken off a private mic", 8032, 24,
                                {ROOM_FIELD(TTakenOffPrivateMic, ActingUser, 8, U32),
                                 ROOM_FIELD(TTakenOffPrivateMic, UserNumber, 16, U32),
                                 ROOM_FIELD(TTakenOffPrivateMic, Result, 20, I32)}),
        In<TMicTimeAdded>("mic time added", 8034, 82,
                          {ROOM_FIELD(TMicTimeAdded, Holder, 8, U32), ROOM_TEXT(TMicTimeAdded, HolderNickname, 16, 30),
                           ROOM_FIELD(TMicTimeAdded, ActingUser, 47, U32), ROOM_TEXT(TMicTimeAdded, ActingNickname, 51, 30)}),
        In<TMicQueueMoved>("mic queue moved", 8035, 28,
                           {ROOM_FIELD(TMicQueueMoved, ActingUser, 8, U32), ROOM_FIELD(TMicQueueMoved, MovedUser, 23, U32),
                            ROOM_FIELD(TMicQueueMoved, NewPosition, 27, U8)}),
        In<TVideoClosed>("video closed", 8098, 47,
                         {ROOM_FIELD(TVideoClosed, UserNumber, 8, U32), ROOM_TEXT(TVideoClosed, Nickname, 16, 30)}),
        In<TLocalSendAddress>("local send address", 11107, 43,
                              {ROOM_FIELD(TLocalSendAddress, RequestTag, 32, U32), ROOM_FIELD(TLocalSendAddress, MicState, 36, U8),
                               ROOM_FIELD(TLocalSendAddress, MediaAddress, 37, U32),
                               ROOM_FIELD(TLocalSendAddress, MediaPort, 41, U16)}),
        In<TMicRequestResult>("mic request result", 30002, 20,
                              {ROOM_FIELD(TMicRequestResult, RequestTag, 8, U32), ROOM_FIELD(TMicRequestResult, Result, 16, I32)}),
        In<TTakeDownResult>("take-down result", 30012, 20, {ROOM_FIELD(TTakeDownResult, Result, 16, I32)}),
        In<THoldUpResult>("hold-up result", 30032, 20, {ROOM_FIELD(THoldUpResult, Result, 16, I32)}),
        In<TAddMicTimeResult>("add-mic-time result", 30034, 31, {ROOM_FIELD(TAddMicTimeResult, Result, 30, U8)}),
        In<TMicQueueResult>("mic queue result", 30036, 27, {ROOM_FIELD(TMicQueueResult, Result, 26, U8)}),
        In<TOneToOneRefused>("one-to-one refused", 20090, 59,
                             {ROOM_FIELD(TOneToOneRefused, RequestTag, 51, U32), ROOM_FIELD(TOneToOneRefused, Reason, 55, I32)}),
        In<TOneToOneRequested>("one-to-one request", 20091, 33,
                               {ROOM_FIELD(TOneToOneRequested, RequestingUser, 26, U32),
                                ROOM_FIELD(TOneToOneRequested, NeedsConfirmation, 32, Bool)}),
        In<TOneToOneAnswered>("one-to-one answer", 20092, 25,
                              {ROOM_FIELD(TOneToOneAnswered, Requester, 8, U32),
                               ROOM_FIELD(TOneToOneAnswered, AnsweringUser, 20, U32),
                               ROOM_FIELD(TOneToOneAnswered, Accepted, 24, Bool)}),
        // The port is documented as i16 and read unsigned: a value above 32767 must come back whole.
        In<TOneToOneGranted>("one-to-one granted", 20097, 31,
                             {ROOM_FIELD(TOneToOneGranted, Requester, 8, U32), ROOM_FIELD(TOneToOneGranted, MicOwner, 20, U32),
                              ROOM_FIELD(TOneToOneGranted, MicState, 24, U8), ROOM_FIELD(TOneToOneGranted, MediaAddress, 25, U32),
                              ROOM_FIELD(TOneToOneGranted, MediaPort, 29, U16)}),
        In<TPaidMicEnded>("paid private mic ended", 19013, 92,
                          {ROOM_FIELD(TPaidMicEnded, Viewer, 8, U32), ROOM_TEXT(TPaidMicEnded, ViewerNickname, 12, 30),
                           ROOM_FIELD(TPaidMicEnded, MicOwner, 57, U32), ROOM_TEXT(TPaidMicEnded, OwnerNickname, 61, 30)}),
        In<TPrivateMicViewerLeft>("viewer left", 21098, 61, {ROOM_FIELD(TPrivateMicViewerLeft, Viewer, 57, U32)}),
        In<TBannedFromPrivateMic>("banned from a private mic", 21099, 30,
                                  {ROOM_FIELD(TBannedFromPrivateMic, BannedUser, 8, U32),
                                   ROOM_FIELD(TBannedFromPrivateMic, MicOwner, 26, U32)}),
        In<TViewerBanAnswer>("viewer ban answer", 21100, 25,
                             {ROOM_FIELD(TViewerBanAnswer, Result, 16, I32), ROOM_FIELD(TViewerBanAnswer, Viewer, 20, U32),
                              ROOM_GET(TViewerBanAnswer, "nickname length (no room received)", 24, U8, 0, m.ViewerNickname().size())}),
        In<TPaidMicPrice>("paid private mic price", 21101, 28,
                          {ROOM_FIELD(TPaidMicPrice, MicOwner, 16, U32), ROOM_FIELD(TPaidMicPrice, GiftNumber, 20, I32),
                           ROOM_FIELD(TPaidMicPrice, GiftCount, 24, I32)}),
        In<TPaidMicGiftFailed>("paid private mic gift failed", 21106, 43,
                               {ROOM_FIELD(TPaidMicGiftFailed, Coins, 38, I32), ROOM_FIELD(TPaidMicGiftFailed, Reason, 42, U8)}),
        In<TRecordRequested>("recording request", 81014, 61,
                             {ROOM_FIELD(TRecordRequested, Requester, 8, U32), ROOM_FIELD(TRecordRequested, UserToRecord, 57, U32)}),
        In<TRecordAnswered>("recording answer", 81015, 26,
                            {ROOM_FIELD(TRecordAnswered, Requester, 8, U32), ROOM_FIELD(TRecordAnswered, PublicPanel, 20, Bool),
                             ROOM_FIELD(TRecordAnswered, AnsweringUser, 21, U32), ROOM_FIELD(TRecordAnswered, Consent, 25, Bool)}),
        In<Chat>("public chat", 9013, 61,
                 {ROOM_FIELD(Chat, Sender, 8, U32), ROOM_FIELD(Chat, Receiver, 16, U32), ROOM_TEXT(Chat, SendTime, 20, 8),
                  ROOM_FIELD(Chat, Private, 29, Bool), ROOM_FIELD(Chat, AutoReply, 30, Bool), ROOM_FIELD(Chat, FurtherFlag, 31, U8),
                  ROOM_TEXT(Chat, FontName, 32, 15), ROOM_FIELD(Chat, FontSize, 48, U32), ROOM_FIELD(Chat, FontColor, 52, U32),
                  ROOM_FIELD(Chat, FontStyle, 56, U8), ROOM_GET(Chat, "text length", 57, U32, 0, m.TextLength())}),
        In<Whisper>("private chat", 19014, 65,
                    {ROOM_FIELD(Whisper, Receiver, 16, U32), ROOM_FIELD(Whisper, Sender, 20, U32),
                     ROOM_TEXT(Whisper, SendTime, 24, 8), ROOM_FIELD(Whisper, Private, 33, Bool),
                     ROOM_FIELD(Whisper, AutoReply, 34, Bool), ROOM_FIELD(Whisper, FurtherFlag, 35, U8),
                     ROOM_TEXT(Whisper, FontName, 36, 15), ROOM_FIELD(Whisper, FontSize, 52, U32),
                     ROOM_FIELD(Whisper, FontColor, 56, U32), ROOM_FIELD(Whisper, FontStyle, 60, U8),
                     ROOM_GET(Whisper, "text length", 61, U32, 0, m.TextLength())}),
        In<TChatRefused>("chat refused", 19015, 24, {ROOM_FIELD(TChatRefused, Reason, 20, I32)}),
        // Up to 33: the receiver writes its local time into the text at 24.
        In<TFunWordNotice>("fun word", 9084, 33,
                           {ROOM_FIELD(TFunWordNotice, Sender, 8, U32), ROOM_FIELD(TFunWordNotice, Receiver, 16, U32),
                            ROOM_FIELD(TFunWordNotice, FunWordNumber, 20, I32), ROOM_TEXT(TFunWordNotice, SendTime, 24, 8)}),
        In<TFunWordResult>("fun word result", 20023, 24,
                           {ROOM_FIELD(TFunWordResult, Result, 16, I32), ROOM_FIELD(TFunWordResult, RequestTag, 20, U32)}),
        In<TAnnouncement>("announcement", 8001, 221, {ROOM_GET(TAnnouncement, "text length", 217, I32, 0, m.TextLength())}),
        In<TDiceResult>("dice", 8006, 24,
                        {ROOM_FIELD(TDiceResult, UserNumber, 8, U32), ROOM_FIELD(TDiceResult, FirstDie, 16, I32),
                         ROOM_FIELD(TDiceResult, SecondDie, 20, I32)}),
        In<TGameWin>("game win", 8020, 86,
                     {ROOM_FIELD(TGameWin, UserNumber, 8, I32), ROOM_TEXT(TGameWin, Nickname, 16, 30),
                      ROOM_TEXT(TGameWin, GameName, 47, 34), ROOM_FIELD(TGameWin, CoinsWon, 82, I32)}),
        In<TRoomRestart>("room restart", 8005, 17,
                         {ROOM_GET(TRoomRestart, "reason length (no room received)", 16, U8, 0, m.Reason().size())}),
        In<TMuteNotice>("mute notice", 8007, 23,
                        {ROOM_FIELD(TMuteNotice, ActingUser, 8, U32), ROOM_FIELD(TMuteNotice, Operation, 16, U8),
                         ROOM_FIELD(TMuteNotice, Minutes, 17, I16), ROOM_FIELD(TMuteNotice, User, 19, U32)}),
        In<TKickNotice>("kick notice", 9005, 21,
                        {ROOM_FIELD(TKickNotice, ActingUser, 8, I32), ROOM_FIELD(TKickNotice, Kind, 16, U8),
                         ROOM_FIELD(TKickNotice, User, 17, U32)}),
        In<TTempAdminAdded>("temporary admin added", 9018, 422, RoleNoticeFields<TTempAdminAdded>()),
        In<TAdminAdded>("admin added", 9019, 422, RoleNoticeFields<TAdminAdded>()),
        In<TAdminRemoved>("admin removed", 9020, 422, RoleNoticeFields<TAdminRemoved>()),
        In<TTempAdminRemoved>("temporary admin removed", 8028, 204,
                              {ROOM_FIELD(TTempAdminRemoved, ActingUser, 8, U32),
                               ROOM_TEXT(TTempAdminRemoved, ActingNickname, 16, 30),
                               ROOM_RECORD(TTempAdminRemoved, User, 47, TRoomUser)}),
        In<TRoomSettingsChanged>("room settings changed", 8013, 1262,
                                 {ROOM_RECORD(TRoomSettingsChanged, Room, 16, TRoomInfo)}),
        In<TRoomNotice>("room notice", 8888, 55,
                        {ROOM_FIELD(TRoomNotice, Publisher, 8, U32), ROOM_TEXT(TRoomNotice, PublisherNickname, 20, 30),
                         ROOM_GET(TRoomNotice, "text length", 51, I32, 0, m.TextLength())}),
        In<TUserInformation>("user information", 19002, 551, {ROOM_RECORD(TUserInformation, Profile, 20, TUserProfile)}),
        In<TKickResult>("kick result", 19004, 25,
                        {ROOM_FIELD(TKickResult, Result, 16, I32), ROOM_FIELD(TKickResult, Reason, 20, U8),
                         ROOM_FIELD(TKickResult, RequestTag, 21, U32)}),
        In<TUserAddress>("IP address", 19010, 32,
                         {ROOM_FIELD(TUserAddress, User, 20, U32), ROOM_FIELD(TUserAddress, Address, 24, U32),
                          ROOM_FIELD(TUserAddress, Result, 28, I32)}),
        In<TMuteResult>("mute result", 19112, 25,
                        {ROOM_FIELD(TMuteResult, Result, 16, I32), ROOM_FIELD(TMuteResult, Operation, 20, U8),
                         ROOM_FIELD(TMuteResult, RequestTag, 21, U32)}),
        In<TFavouritesResult>("favourites result", 19020, 20,
                              {ROOM_FIELD(TFavouritesResult, RoomNumber, 12, U32), ROOM_FIELD(TFavouritesResult, Result, 16, I32)}),
        In<TRoomSettings>("room settings", 80002, 1266, {ROOM_RECORD(TRoomSettings, Room, 20, TRoomInfo)}),
        In<TBlacklist>("blacklist", 80005, 20, {ROOM_GET(TBlacklist, "count", 16, I32, 0, m.Count())}),
        In<TAdminList>("admin list", 80011, 20, {ROOM_GET(TAdminList, "count", 16, I32, 0, m.Count())}),
        In<TTempAdminList>("temporary admin list", 80026, 20, {ROOM_GET(TTempAdminList, "count", 16, I32, 0, m.Count())}),
        In<TBlockedAddressList>("blocked-address list", 80008, 20, {ROOM_GET(TBlockedAddressList, "count", 16, I32, 0, m.Count())}),
        In<TDeputyOwnerResult>("deputy owner result", 80016, 23,
                               {ROOM_FIELD(TDeputyOwnerResult, User, 16, U32), ROOM_FIELD(TDeputyOwnerResult, Operation, 20, I16),
                                ROOM_GET(TDeputyOwnerResult, "error length (no room received)", 22, U8, 0, m.Error().size())}),
        In<TBlockedAddressResult>("blocked-address result", 80019, 44,
                                  {ROOM_FIELD(TBlockedAddressResult, Operation, 26, I16),
                                   ROOM_RECORD(TBlockedAddressResult, Entry, 28, TBlockedAddressEntry),
                                   ROOM_FIELD(TBlockedAddressResult, Result, 40, I32)}),
        In<TCloseRoomResult>("close-room result", 80022, 20, {ROOM_FIELD(TCloseRoomResult, Result, 16, I32)}),
        In<TAddAdminResult>("admin add result", 80102, 30,
                             {ROOM_FIELD(TAddAdminResult, User, 22, U32), ROOM_FIELD(TAddAdminResult, Result, 26, I32)}),
        In<TRemoveAdminResult>("admin remove result", 80104, 30,
                                {ROOM_FIELD(TRemoveAdminResult, User, 22, U32), ROOM_FIELD(TRemoveAdminResult, Result, 26, I32)}),
        In<TAddToBlacklistResult>("blacklist add result", 80106, 34,
                                   {ROOM_FIELD(TAddToBlacklistResult, User, 26, U32),
                                    ROOM_FIELD(TAddToBlacklistResult, Result, 30, I32)}),
        In<TRemoveFromBlacklistResult>("blacklist remove result", 80108, 34,
                                       {ROOM_FIELD(TRemoveFromBlacklistResult, User, 26, U32),
                                        ROOM_FIELD(TRemoveFromBlacklistResult, Result, 30, I32)}),
        In<TGiftResult>("gift result", 20021, 61,
                        {ROOM_FIELD(TGiftResult, Result, 16, I32), ROOM_FIELD(TGiftResult, Receiver, 20, U32),
                         ROOM_FIELD(TGiftResult, SentCount, 59, I16)}),
        In<Sent>("gift sent", 9083, 145,
                 {ROOM_FIELD(Sent, Sender, 8, U32), ROOM_FIELD(Sent, Receiver, 16, U32), ROOM_TEXT(Sent, SenderNickname, 20, 30),
                  ROOM_TEXT(Sent, ReceiverNickname, 51, 30), ROOM_FIELD(Sent, RoomLinkValue, 82, I32),
                  ROOM_FIELD(Sent, GiftNumber, 86, I32), ROOM_FIELD(Sent, GiftKind, 90, U8), ROOM_FIELD(Sent, ShownCount, 91, I32),
                  ROOM_FIELD(Sent, Count, 95, I32), ROOM_FIELD(Sent, FirstHistoryValue, 99, I32),
                  ROOM_FIELD(Sent, SecondHistoryValue, 103, I32), ROOM_FIELD(Sent, SenderCoins, 107, I32),
                  ROOM_FIELD(Sent, SenderPoints, 111, I32), ROOM_FIELD(Sent, ReceiverCoins, 115, I32),
                  ROOM_FIELD(Sent, ReceiverPoints, 119, I32), ROOM_FIELD(Sent, CarriedByte, 123, U8),
                  ROOM_TEXT(Sent, CarriedText, 124, 4), ROOM_TEXT(Sent, GiftName, 129, 10),
                  ROOM_FIELD(Sent, LuxuryValue, 140, I32), ROOM_FIELD(Sent, Anonymous, 144, Bool)}),
        In<TLuckyGiftWon>("lucky gift won", 9082, 50,
                          {ROOM_FIELD(TLuckyGiftWon, Winner, 8, U32), ROOM_FIELD(TLuckyGiftWon, GiftNumber, 26, I32),
                           ROOM_TEXT(TLuckyGiftWon, GiftName, 30, 10), ROOM_FIELD(TLuckyGiftWon, PrizeMultiple, 41, I32),
                           ROOM_FIELD(TLuckyGiftWon, CoinsWon, 45, I32), ROOM_FIELD(TLuckyGiftWon, Anonymous, 49, Bool)}),
        In<TFireworksShare>("fireworks share", 8014, 75,
                            {ROOM_FIELD(TFireworksShare, Sender, 8, U32), ROOM_TEXT(TFireworksShare, SenderNickname, 26, 30),
                             ROOM_FIELD(TFireworksShare, GiftNumber, 57, I32), ROOM_FIELD(TFireworksShare, Count, 61, I32),
                             ROOM_FIELD(TFireworksShare, Share, 65, I32), ROOM_FIELD(TFireworksShare, InCoins, 69, Bool),
                             ROOM_FIELD(TFireworksShare, Anonymous, 70, Bool),
                             ROOM_GET(TFireworksShare, "receiver count", 71, I32, 0, m.ReceiverCount())}),
        In<TGiftInAllRooms>("gift announced in all rooms", 8004, 146,
                            {ROOM_FIELD(TGiftInAllRooms, Sender, 8, U32), ROOM_FIELD(TGiftInAllRooms, Receiver, 16, U32),
                             ROOM_TEXT(TGiftInAllRooms, ReceiverNickname, 20, 50), ROOM_FIELD(TGiftInAllRooms, RoomNumber, 71, I32),
                             ROOM_TEXT(TGiftInAllRooms, SenderNickname, 75, 30), ROOM_TEXT(TGiftInAllRooms, RoomName, 106, 30),
                             ROOM_FIELD(TGiftInAllRooms, GiftNumber, 137, I32), ROOM_FIELD(TGiftInAllRooms, Count, 141, I32),
                             ROOM_FIELD(TGiftInAllRooms, Anonymous, 145, Bool)}),
        In<TLuxuryList>("luxury list", 8002, 20, {ROOM_GET(TLuxuryList, "count", 16, I32, 0, m.Count())}),
        In<TLoudspeakerNotice>("loudspeaker", 8003, 102,
                               {ROOM_FIELD(TLoudspeakerNotice, Sender, 8, U32),
                                ROOM_TEXT(TLoudspeakerNotice, SenderNickname, 16, 30),
                                ROOM_GET(TLoudspeakerNotice, "big-loudspeaker byte", 55, Bool, 1, m.Big()),
                                ROOM_GET(TLoudspeakerNotice, "text length", 98, U32, 0, m.TextLength())}),
        In<TSealResult>("seal result", 20019, 36,
                        {ROOM_FIELD(TSealResult, Result, 16, I32), ROOM_FIELD(TSealResult, Coins, 28, I32),
                         ROOM_FIELD(TSealResult, Points, 32, I32)}),
        In<TClearSealResult>("clear-seal result", 20219, 36,
                             {ROOM_FIELD(TClearSealResult, Result, 16, I32), ROOM_FIELD(TClearSealResult, User, 20, U32),
                              ROOM_FIELD(TClearSealResult, Coins, 28, I32), ROOM_FIELD(TClearSealResult, Points, 32, I32)}),
        In<TGiftValueCredited>("gift value credited", 20221, 30,
                               {ROOM_FIELD(TGiftValueCredited, User, 8, U32), ROOM_FIELD(TGiftValueCredited, PointsAdded, 26, I32)}),
        In<TExchangeResult>("exchange result", 20031, 28,
                            {ROOM_FIELD(TExchangeResult, RequestTag, 8, U32), ROOM_FIELD(TExchangeResult, Result, 16, I32),
                             ROOM_FIELD(TExchangeResult, CoinsAdded, 20, I32),
                             ROOM_FIELD(TExchangeResult, GiftValueTaken, 24, I32)}),
        In<TBalance>("balance", 10140, 24, {ROOM_FIELD(TBalance, Coins, 20, I32)}),
        In<TPurchaseBalance>("balance after a purchase", 81020, 24,
                             {ROOM_FIELD(TPurchaseBalance, User, 8, U32), ROOM_FIELD(TPurchaseBalance, Result, 16, I32),
                              ROOM_FIELD(TPurchaseBalance, Coins, 20, I32)}),
        In<TSealPutOn>("seal put on", 8009, 110,
                       {ROOM_FIELD(TSealPutOn, StampingUser, 16, U32), ROOM_TEXT(TSealPutOn, StampingNickname, 20, 30),
                        ROOM_FIELD(TSealPutOn, StampedUser, 51, U32), ROOM_TEXT(TSealPutOn, StampedNickname, 55, 30),
                        ROOM_FIELD(TSealPutOn, SealNumber, 90, I32), ROOM_FIELD(TSealPutOn, SealExpiry, 94, F64),
                        ROOM_FIELD(TSealPutOn, ServerTime, 102, F64)}),
        In<TSealCleared>("seal cleared", 8010, 90,
                         {ROOM_FIELD(TSealCleared, ClearingUser, 16, U32), ROOM_TEXT(TSealCleared, ClearingNickname, 20, 30),
                          ROOM_FIELD(TSealCleared, User, 51, U32), ROOM_TEXT(TSealCleared, Nickname, 55, 30),
                          ROOM_FIELD(TSealCleared, SealNumber, 86, I32)}),
    };
}

TEST(RoomMessagesInTest, EveryMessageIsReadAtItsOffsetsAndOneByteShortIsRefused)
{
    ForEachCase(ServerMessages(), [](const auto& c) {
        ExpectParsedAtLeastLength(c);
    });
}

// The loopback server builds these messages with the same classes.
TEST(RoomMessagesInTest, EveryMessageIsBuiltWithItsFieldsAtTheirOffsets)
{
    ForEachCase(ServerMessages(), [](const auto& c) {
        const TRecord m = c.build();
        ASSERT_GE(m.size(), c.length);
        EXPECT_EQ(m.i32(0), 824156);
        EXPECT_EQ(m.i32(4), c.code);
        std::set<size_t> covered;
        Cover(covered, 0, 8);
        for (size_t i = 0; i < c.fields.size(); ++i) {
            if (!c.settable[i])
                continue;
            ExpectFieldBytes(m, c.fields[i]);
            Cover(covered, c.fields[i].off, Width(c.fields[i]));
        }
        ExpectZeroOutside(m, covered);
    });
}

// A message of `fixed` bytes with a count at countOffset followed by records of `each` bytes.
TRecord CountedMessage(int32_t code, size_t fixed, size_t countOffset, int32_t count, size_t records, size_t each)
{
    TRecord m(fixed + records * each);
    m.setI32(0, 824156);
    m.setI32(4, code);
    m.setI32(countOffset, count);
    for (size_t i = fixed; i < m.size(); ++i)
        m.setU8(i, static_cast<uint8_t>(i * 13 + 1));
    return m;
}

// The records each list message yields, as raw bytes, or nothing when it is refused.
template <class M, class F>
std::function<std::optional<std::vector<std::string>>(const TRecord&)> ListOf(F records)
{
    return [records](const TRecord& bytes) -> std::optional<std::vector<std::string>> {
        const auto m = ParseAs<M>(bytes.data(), bytes.size());
        if (!m)
            return std::nullopt;
        return records(*m);
    };
}

template <class R>
std::vector<std::string> RawRecords(const std::vector<R>& records)
{
    std::vector<std::string> raw;
    for (const auto& r : records)
        raw.emplace_back(RecordView(r));
    return raw;
}

std::vector<std::string> RawNumbers(const std::vector<uint32_t>& numbers)
{
    std::vector<std::string> raw;
    for (uint32_t n : numbers) {
        TRecord r(4);
        r.setU32(0, n);
        raw.push_back(r.raw(0, 4));
    }
    return raw;
}

struct TListCase {
    const char* name;
    int32_t code;
    size_t fixed;
    size_t countOffset;
    size_t each;
    std::function<std::optional<std::vector<std::string>>(const TRecord&)> records;
};

std::vector<TListCase> ListCases()
{
    return {
        {"enter acknowledgement", 20111, 34, 26, 152,
         ListOf<TEnterAck>([](const TEnterAck& m) { return RawRecords(m.Luxury()); })},
        {"user list page", 20121, 32, 20, 157, ListOf<TUserListPage>([](const TUserListPage& m) { return RawRecords(m.Users()); })},
        {"mic positions", 8000, 20, 16, 21, ListOf<TMicPositions>([](const TMicPositions& m) { return RawRecords(m.Entries()); })},
        {"mic queue", 8011, 20, 16, 4, ListOf<TMicQueue>([](const TMicQueue& m) { return RawNumbers(m.Users()); })},
        {"mic queue list", 18011, 20, 16, 4, ListOf<TMicQueueList>([](const TMicQueueList& m) { return RawNumbers(m.Users()); })},
        {"blacklist", 80005, 20, 16, 35, ListOf<TBlacklist>([](const TBlacklist& m) { return RawRecords(m.Entries()); })},
        {"admin list", 80011, 20, 16, 35, ListOf<TAdminList>([](const TAdminList& m) { return RawRecords(m.Entries()); })},
        {"temporary admin list", 80026, 20, 16, 35,
         ListOf<TTempAdminList>([](const TTempAdminList& m) { return RawRecords(m.Entries()); })},
        {"blocked-address list", 80008, 20, 16, 12,
         ListOf<TBlockedAddressList>([](const TBlockedAddressList& m) { return RawRecords(m.Entries()); })},
        {"fireworks share", 8014, 75, 71, 4,
         ListOf<TFireworksShare>([](const TFireworksShare& m) { return RawNumbers(m.Receivers()); })},
    };
}

TEST(RoomMessagesInTest, ListsYieldTheirCountOfRecordsOnlyWhenAllOfThemWereReceived)
{
    struct Count {
        const char* name;
        int32_t count;
        size_t present;
        std::optional<size_t> yielded;   // nothing: refused
    } counts[] = {
        {"two of two", 2, 2, 2},
        {"more present than counted", 2, 3, 2},
        {"none", 0, 0, 0},
        {"negative", -1, 1, 0},
        {"one missing", 3, 2, std::nullopt},
        {"the largest count", std::numeric_limits<int32_t>::max(), 1, std::nullopt},
    };
    for (const auto& list : ListCases()) {
        for (const auto& n : counts) {
            SCOPED_TRACE(std::string(list.name) + ", " + n.name);
            const TRecord m = CountedMessage(list.code, list.fixed, list.countOffset, n.count, n.present, list.each);
            const auto records = list.records(m);
            ASSERT_EQ(records.has_value(), n.yielded.has_value());
            if (!records)
                continue;
            ASSERT_EQ(records->size(), *n.yielded);
            for (size_t i = 0; i < records->size(); ++i)
                EXPECT_EQ((*records)[i], m.raw(list.fixed + i * list.each, list.each)) << "record " << i;
        }
        SCOPED_TRACE(list.name);
        const TRecord lastByteMissing = CountedMessage(list.code, list.fixed, list.countOffset, 2, 2, list.each);
        EXPECT_FALSE(list.records(TRecord(lastByteMissing.data(), lastByteMissing.size() - 1)));
    }
}

TEST(RoomMessagesInTest, TheLuxuryListTakesOneRecordMoreThanItsCountWhenItIsThere)
{
    struct Case {
        const char* name;
        int32_t count;
        size_t present;
        std::optional<size_t> yielded;
    } cases[] = {
        {"a count of 0 with one record", 0, 1, 1},
        {"a count of 0 with none", 0, 0, 0},
        {"the count's records only", 2, 2, 2},
        {"one more than the count", 2, 3, 3},
        {"two more than the count", 2, 4, 3},
        {"a negative count empties the list", -1, 2, 0},
        {"fewer than the count", 3, 2, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TRecord bytes = CountedMessage(8002, 20, 16, c.count, c.present, 152);
        const auto m = ParseAs<TLuxuryList>(bytes.data(), bytes.size());
        ASSERT_EQ(m.has_value(), c.yielded.has_value());
        if (m) {
            const auto records = m->Records();
            ASSERT_EQ(records.size(), *c.yielded);
            for (size_t i = 0; i < records.size(); ++i)
                EXPECT_EQ(records[i].raw(0, 152), bytes.raw(20 + i * 152, 152));
        }
    }
}

TEST(RoomMessagesInTest, TextsAfterALengthAreReadAsGbkAndMustHaveArrived)
{
    struct Case {
        const char* name;
        int32_t code;
        size_t lengthOffset;
        size_t textOffset;
        std::function<std::optional<std::string>(const TRecord&)> text;
    } cases[] = {
        {"public chat", 9013, 57, 61,
         [](const TRecord& r) -> std::optional<std::string> {
             auto m = ParseAs<TPublicChat>(r.data(), r.size());
             return m ? std::optional(m->Text()) : std::nullopt;
         }},
        {"private chat", 19014, 61, 65,
         [](const TRecord& r) -> std::optional<std::string> {
             auto m = ParseAs<TPrivateChat>(r.data(), r.size());
             return m ? std::optional(m->Text()) : std::nullopt;
         }},
        {"announcement", 8001, 217, 221,
         [](const TRecord& r) -> std::optional<std::string> {
             auto m = ParseAs<TAnnouncement>(r.data(), r.size());
             return m ? std::optional(m->Text()) : std::nullopt;
         }},
        {"room notice", 8888, 51, 55,
         [](const TRecord& r) -> std::optional<std::string> {
             auto m = ParseAs<TRoomNotice>(r.data(), r.size());
             return m ? std::optional(m->Text()) : std::nullopt;
         }},
    };
    const std::string text = "你好，世界 hello";
    const std::string gbk = Utf8ToGbk(text);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRecord m(c.textOffset + gbk.size() + 3);
        m.setI32(0, 824156);
        m.setI32(4, c.code);
        m.setRaw(c.textOffset, gbk);
        m.setU32(c.lengthOffset, static_cast<uint32_t>(gbk.size()));
        EXPECT_EQ(c.text(m), text);

        m.setU32(c.lengthOffset, static_cast<uint32_t>(gbk.size() + 3));
        EXPECT_TRUE(c.text(m)) << "up to the last byte";
        m.setU32(c.lengthOffset, static_cast<uint32_t>(gbk.size() + 4));
        EXPECT_FALSE(c.text(m)) << "one byte past the end";
        m.setU32(c.lengthOffset, 0xFFFFFFFF);
        EXPECT_FALSE(c.text(m)) << "a length that would wrap, or a negative one";
    }
}

TEST(RoomMessagesInTest, TextsWithoutAFixedRoomAreReadUpToTheEndOfTheMessage)
{
    struct Case {
        const char* name;
        size_t length;
        uint8_t lengthByte;
        std::string read;
    } cases[] = {
        {"whole", 16 + 1 + 6, 6, "重启了"},
        {"length byte past the end", 16 + 1 + 4, 6, "重启"},
        {"only the length byte", 16 + 1, 6, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRecord m(16 + 1 + 6);
        m.setI32(0, 824156);
        m.setI32(4, 8005);
        m.setU8(16, c.lengthByte);
        m.setRaw(17, Utf8ToGbk("重启了"));
        const auto restart = ParseAs<TRoomRestart>(m.data(), c.length);
        ASSERT_TRUE(restart);
        EXPECT_EQ(restart->Reason(), c.read);
    }

    TViewerBanAnswer answer;
    answer.SetViewerNickname(std::string(40, 'v'));
    ASSERT_EQ(answer.size(), 55u);
    auto parsed = ParseAs<TViewerBanAnswer>(answer.data(), answer.size());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->ViewerNickname(), std::string(30, 'v'));

    TDeputyOwnerResult result;
    result.SetError("该用户不存在");
    auto deputy = ParseAs<TDeputyOwnerResult>(result.data(), 22 + 1 + 12);
    ASSERT_TRUE(deputy);
    EXPECT_EQ(deputy->Error(), "该用户不存在");
}

TEST(RoomMessagesInTest, LoudspeakerTextsAreSplitByTheRecordsLinkLengths)
{
    const TLoudspeakerNotice built("大喇叭", "链接", "http://x");
    auto m = ParseAs<TLoudspeakerNotice>(built.data(), built.size());
    ASSERT_TRUE(m);
    EXPECT_EQ(m->TextLength(), 6u + 4u + 8u);
    EXPECT_EQ(m->MessageText(), "大喇叭");
    EXPECT_EQ(m->LinkText(), "链接");
    EXPECT_EQ(m->LinkValue(), "http://x");
    EXPECT_EQ(m->Record().LinkTextLength(), 4u);
    EXPECT_EQ(m->u32(90), 4u) << "the record's link text length sits at 47 + 43";
    EXPECT_EQ(m->u32(94), 8u);

    TLoudspeakerNotice withRecord("大喇叭", "链接", "http://x");
    TLoudspeakerRecord record;
    record.SetBig(true);
    record.SetLinkTextLength(100);
    withRecord.SetRecord(record);
    EXPECT_TRUE(withRecord.Big());
    EXPECT_EQ(withRecord.LinkText(), "链接") << "the link lengths stay those of the texts";

    TRecord bytes(built.data(), built.size());
    bytes.setU32(90, 11);   // link text and value longer than the whole text
    EXPECT_FALSE(ParseAs<TLoudspeakerNotice>(bytes.data(), bytes.size()));
    bytes.setU32(90, 4);
    bytes.setU32(98, 19);   // one byte more text than received
    EXPECT_FALSE(ParseAs<TLoudspeakerNotice>(bytes.data(), bytes.size()));
}

TEST(RoomMessagesInTest, ServerSideListsCountWhatTheyCarry)
{
    TRoomUser a, b;
    a.SetUserNumber(1);
    b.SetUserNumber(2);
    b.SetNickname("李四");
    const TUserListPage page({a, b});
    EXPECT_EQ(page.size(), 32u + 2 * 157);
    EXPECT_EQ(page.Count(), 2);
    EXPECT_EQ(page.Users().at(1).Nickname(), "李四");

    const TMicQueue queue({7, 8, 9});
    EXPECT_EQ(queue.Users(), (std::vector<uint32_t>{7, 8, 9}));
    const TLuxuryList none;
    EXPECT_EQ(none.Count(), 0);
    EXPECT_TRUE(none.Records().empty());
}

TEST(RoomMessagesInTest, PanelModeFollowsTheFlag)
{
    TPanelMode mode;
    EXPECT_EQ(mode.PanelMode(), 1);
    mode.setU8(16, 0x40);
    EXPECT_EQ(mode.PanelMode(), 0);
}

} // namespace
} // namespace vlk::roomtest
