#pragma once
// A room's window inside the hall: one per room tab. It holds the room's record and the local
// member's record of the enter-room handshake and shows the room's name, notice and welcome text.
#include "room/LocalUserInfo.h"
#include "room/RoomInfo.h"

#include <QWidget>

#include <string>

class QLabel;

namespace vlk {

class TfrmChatMulti : public QWidget {
    Q_OBJECT
public:
    explicit TfrmChatMulti(QWidget* parent = nullptr);

    // Takes the two records of the handshake (raw bytes, as the hall received them).
    void EnterRoom(const std::string& localUserInfo, const std::string& roomInfo);

    int32_t RoomID() const { return room_.RoomNumber(); }
    const TRoomInfo& Room() const { return room_; }
    const TLocalUserInfo& LocalUser() const { return localUser_; }

private:
    TRoomInfo room_;
    TLocalUserInfo localUser_;
    QLabel* lblRoomName;
    QLabel* lblNotice;
    QLabel* lblWelcome;
};

} // namespace vlk
