#pragma once
// One room as its server keeps it: who is present, where each of them listens and the connection
// tag they were handed on entering, and what everybody is told when someone comes or goes.
#include "RoomMember.h"
#include "ServerConfig.h"
#include "SignalServer.h"

#include "room/RoomHeader.h"
#include "room/RoomMessage.h"

#include <cstdint>
#include <map>

namespace vlk::server {

struct TPresence {
    TRoomMember Member;
    uint32_t Address = 0;   // network order; where the member's room window listens
    uint16_t Port = 0;
    TConnectionTag Tag;
    uint32_t LastSeen = 0;  // tick of entering or of the last keep-alive
};

class THostedRoom {
public:
    // Users per user-list message; the client takes one message per 30 ms, so fewer, larger
    // pages fill its list sooner.
    static constexpr size_t kUsersPerPage = 50;

    THostedRoom(const TRoomConfig& config, TSignalServer& server);

    const TRoomConfig& Config() const { return config_; }
    size_t Size() const { return present_.size(); }
    const TPresence* Find(int32_t number) const;
    // Whether the member may come in: there is room, or the member is here already and comes
    // back from elsewhere.
    bool HasRoomFor(int32_t number) const;

    // The presence that sent the request: it names a present user and comes from where that user
    // entered, with the user's hall key and connection tag. Nothing for anything else.
    TPresence* Authenticate(const TRoomRequest& request, uint32_t address, uint16_t port);

    // Lets the member in at address:port: the enter acknowledgement with the tag, the user list,
    // and the entered notice to everybody else. A member present already is replaced, and told so
    // when the earlier presence listens elsewhere. When the room is full the member is sent away.
    void Enter(const TRoomMember& member, TConnectionTag tag, uint32_t address, uint16_t port, double serverTime);
    // Removes a present user and tells the others.
    void Leave(int32_t number);
    // Drops the users not heard from for more than maxIdle ms, telling the others.
    void DropIdle(uint32_t now, uint32_t maxIdle);

private:
    // To everybody present but the user `except`.
    void SendToOthers(int32_t except, const TMessage& message);
    // Removes the user and sends the others the left notice.
    void Remove(int32_t number);

    const TRoomConfig& config_;
    TSignalServer& server_;
    std::map<int32_t, TPresence> present_;   // by number
};

} // namespace vlk::server
