#pragma once
// Command codes of the room protocol. A few codes travel in both directions with different layouts;
// their names fit both.
#include <cstdint>

namespace vlk::roomcmd {

// Session, users and chat.
constexpr int32_t kKeepAlive = 10021;
constexpr int32_t kKeepAliveAck = 10022;
constexpr int32_t kEnterRoom = 20013;
constexpr int32_t kEnterAck = 20111;
constexpr int32_t kLeaveRoom = 20015;
constexpr int32_t kUserListPage = 20121;
constexpr int32_t kUserEntered = 8041;
constexpr int32_t kUserLeft = 8016;
constexpr int32_t kChat = 19012;
constexpr int32_t kPublicChat = 9013;
constexpr int32_t kPrivateChat = 19014;
constexpr int32_t kChatRefused = 19015;
constexpr int32_t kFunWord = 20022;
constexpr int32_t kFunWordNotice = 9084;
constexpr int32_t kFunWordResult = 20023;
constexpr int32_t kDice = 81041;
constexpr int32_t kDiceResult = 8006;
constexpr int32_t kAnnouncement = 8001;
constexpr int32_t kGameWin = 8020;

// Mics and private mics.
constexpr int32_t kMicAddressRequest = 20120;
constexpr int32_t kMicAddress = 20122;
constexpr int32_t kMicPositions = 8000;
constexpr int32_t kMicQueue = 8011;
constexpr int32_t kMicQueueList = 18011;   // same layout and meaning as kMicQueue
constexpr int32_t kMicRequest = 30001;
constexpr int32_t kMicRequestResult = 30002;
constexpr int32_t kLocalSendAddress = 11107;
constexpr int32_t kUserGotMic = 8033;
constexpr int32_t kUserLeftMic = 9014;
constexpr int32_t kPanelMode = 9015;
constexpr int32_t kLeaveMic = 30021;
constexpr int32_t kTakeDown = 30011;
constexpr int32_t kTakeDownResult = 30012;
constexpr int32_t kTakenOffPrivateMic = 8032;
constexpr int32_t kHoldUp = 30031;
constexpr int32_t kHoldUpResult = 30032;
constexpr int32_t kAddMicTime = 30033;
constexpr int32_t kAddMicTimeResult = 30034;
constexpr int32_t kMicTimeAdded = 8034;
constexpr int32_t kMoveInMicQueue = 30035;
constexpr int32_t kMicQueueResult = 30036;
constexpr int32_t kMicQueueMoved = 8035;
constexpr int32_t kVideoClosed = 8098;
constexpr int32_t kOneToOneRefused = 20090;
constexpr int32_t kOneToOneRequest = 20091;
constexpr int32_t kOneToOneAnswer = 20092;
constexpr int32_t kOneToOneGranted = 20097;
constexpr int32_t kWatchPaidMic = 21105;
constexpr int32_t kPaidMicEnded = 19013;
constexpr int32_t kStopWatchingPrivateMic = 21098;   // from the server: a viewer left
constexpr int32_t kBanPrivateMicViewer = 21099;      // from the server: the local user was banned
constexpr int32_t kViewerBanAnswer = 21100;
constexpr int32_t kPaidMicPrice = 21101;
constexpr int32_t kPaidMicGiftFailed = 21106;
constexpr int32_t kRecordRequest = 81014;
constexpr int32_t kRecordAnswer = 81015;

// Administration.
constexpr int32_t kUserInformation = 19001;
constexpr int32_t kUserInformationAnswer = 19002;
constexpr int32_t kUserAddress = 19009;
constexpr int32_t kUserAddressAnswer = 19010;
constexpr int32_t kKick = 19003;
constexpr int32_t kKickResult = 19004;
constexpr int32_t kKickNotice = 9005;
constexpr int32_t kMute = 19111;
constexpr int32_t kMuteResult = 19112;
constexpr int32_t kMuteNotice = 8007;
constexpr int32_t kAddTempAdmin = 19017;
constexpr int32_t kTempAdminAdded = 9018;
constexpr int32_t kRemoveTempAdmin = 80027;
constexpr int32_t kTempAdminRemoved = 8028;
constexpr int32_t kAddAdmin = 80101;
constexpr int32_t kAddAdminResult = 80102;
constexpr int32_t kRemoveAdmin = 80103;
constexpr int32_t kRemoveAdminResult = 80104;
constexpr int32_t kAdminAdded = 9019;
constexpr int32_t kAdminRemoved = 9020;
constexpr int32_t kAddToBlacklist = 80105;
constexpr int32_t kAddToBlacklistResult = 80106;
constexpr int32_t kRemoveFromBlacklist = 80107;
constexpr int32_t kRemoveFromBlacklistResult = 80108;
constexpr int32_t kPublishNotice = 10187;
constexpr int32_t kRoomNotice = 8888;
constexpr int32_t kAddToFavourites = 19019;
constexpr int32_t kFavouritesResult = 19020;
constexpr int32_t kRoomSettingsRequest = 80001;
constexpr int32_t kRoomSettings = 80002;
constexpr int32_t kSaveRoomSettings = 80003;
constexpr int32_t kRoomSettingsChanged = 8013;
constexpr int32_t kBlacklistRequest = 80004;
constexpr int32_t kBlacklist = 80005;
constexpr int32_t kBlockedAddressesRequest = 80007;
constexpr int32_t kBlockedAddresses = 80008;
constexpr int32_t kBlockedAddress = 80009;
constexpr int32_t kBlockedAddressResult = 80019;
constexpr int32_t kAdminListRequest = 80010;
constexpr int32_t kAdminList = 80011;
constexpr int32_t kTempAdminListRequest = 80025;
constexpr int32_t kTempAdminList = 80026;
constexpr int32_t kRoomTextStyle = 80014;
constexpr int32_t kDeputyOwner = 80015;
constexpr int32_t kDeputyOwnerResult = 80016;
constexpr int32_t kCloseRoomResult = 80022;
constexpr int32_t kRoomRestart = 8005;

// Gifts, seals, loudspeaker, balances.
constexpr int32_t kGift = 20020;
constexpr int32_t kGiftResult = 20021;
constexpr int32_t kGiftSent = 9083;
constexpr int32_t kLuckyGiftWon = 9082;
constexpr int32_t kFireworksShare = 8014;
constexpr int32_t kGiftInAllRooms = 8004;
constexpr int32_t kWeekStarLine = 8008;
constexpr int32_t kLuxuryList = 8002;
constexpr int32_t kExchangeGifts = 20030;
constexpr int32_t kExchangeResult = 20031;
constexpr int32_t kLoudspeaker = 81018;
constexpr int32_t kLoudspeakerNotice = 8003;
constexpr int32_t kSeal = 20018;
constexpr int32_t kSealResult = 20019;
constexpr int32_t kSealPutOn = 8009;
constexpr int32_t kClearSeal = 20218;
constexpr int32_t kClearSealResult = 20219;
constexpr int32_t kSealCleared = 8010;
constexpr int32_t kGiftValueCredited = 20221;
constexpr int32_t kBalance = 10140;
constexpr int32_t kPurchaseBalance = 81020;

} // namespace vlk::roomcmd
