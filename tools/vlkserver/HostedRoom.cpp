#include "HostedRoom.h"

#include "base/DebugLog.h"
#include "room/AdminMessagesIn.h"
#include "room/AdminMessagesOut.h"
#include "room/SessionMessagesIn.h"

#include <string>
#include <vector>

namespace vlk::server {

namespace {

std::string Who(const TRoomMember& member)
{
    const char* role = member.Role == roomrole::kOwner ? ", owner" : member.Role == roomrole::kAdmin ? ", admin" : "";
    return std::to_string(member.Number) + " (" + member.Nickname + role + (member.Hidden ? ", hidden" : "") + ")";
}

} // namespace

THostedRoom::THostedRoom(const TRoomConfig& config, TSignalServer& server) : config_(config), server_(server)
{
}

const TPresence* THostedRoom::Find(int32_t number) const
{
    auto it = present_.find(number);
    return it == present_.end() ? nullptr : &it->second;
}

bool THostedRoom::HasRoomFor(int32_t number) const
{
    return present_.contains(number) || present_.size() < static_cast<size_t>(config_.MaxUsers);
}

TPresence* THostedRoom::Authenticate(const TRoomRequest& request, uint32_t address, uint16_t port)
{
    auto it = present_.find(request.UserNumber());
    if (it == present_.end())
        return nullptr;
    TPresence& p = it->second;
    const bool genuine = p.Address == address && p.Port == port && p.Member.HallKey == request.HallKey()
                         && p.Tag == request.Tag() && request.RoomNumber() == config_.Number;
    return genuine ? &p : nullptr;
}

void THostedRoom::Enter(const TRoomMember& member, TConnectionTag tag, uint32_t address, uint16_t port,
                        double serverTime)
{
    if (!HasRoomFor(member.Number)) {
        // The client has no answer to entering but this one; without it the window would wait for
        // its keep-alive time-out.
        TKickNotice away;
        away.SetActingUser(TKickNotice::kSystem);
        away.SetKind(TKick::kKickOnly);
        away.SetUser(static_cast<uint32_t>(member.Number));
        server_.Send(address, port, away);
        DebugLog().info("room {}: {} from {} sent away, the room is full ({} present)", config_.Number, Who(member),
                        Peer(address, port), present_.size());
        return;
    }
    if (const TPresence* earlier = Find(member.Number)) {
        if (earlier->Address != address || earlier->Port != port) {
            TKickResult elsewhere;
            elsewhere.SetReason(TKickResult::kLoggedInElsewhere);
            server_.Send(earlier->Address, earlier->Port, elsewhere);
        }
        DebugLog().info("room {}: {} enters again from {}; the presence at {} ends", config_.Number, Who(member),
                        Peer(address, port), Peer(earlier->Address, earlier->Port));
        Remove(member.Number);
    }
    present_[member.Number] = {member, address, port, tag, GetTickCount()};

    TEnterAck ack;
    ack.SetTag(tag);
    server_.Send(address, port, ack);
    // Everybody present, the newcomer included: the client learns its own record from the list.
    std::vector<TRoomUser> page;
    auto sendPage = [&] {
        TUserListPage list(page);
        list.SetServerTime(serverTime);
        server_.Send(address, port, list);
        page.clear();
    };
    for (const auto& [number, p] : present_) {
        page.push_back(p.Member.RoomUser());
        if (page.size() == kUsersPerPage)
            sendPage();
    }
    if (!page.empty())
        sendPage();

    TUserEntered entered;
    entered.SetUserNumber(static_cast<uint32_t>(member.Number));
    entered.SetUser(member.RoomUser());
    SendToOthers(member.Number, entered);
    DebugLog().info("room {}: {} enters from {}, {} present", config_.Number, Who(member), Peer(address, port),
                    present_.size());
}

void THostedRoom::Leave(int32_t number)
{
    auto it = present_.find(number);
    if (it == present_.end())
        return;
    const TPresence p = it->second;
    Remove(number);
    DebugLog().info("room {}: {} at {} leaves, {} present", config_.Number, Who(p.Member), Peer(p.Address, p.Port),
                    present_.size());
}

void THostedRoom::DropIdle(uint32_t now, uint32_t maxIdle)
{
    std::vector<TPresence> idle;
    for (const auto& [number, p] : present_)
        if (TickDiff(now, p.LastSeen) > maxIdle)
            idle.push_back(p);
    for (const TPresence& p : idle) {
        Remove(p.Member.Number);
        DebugLog().info("room {}: {} at {} dropped, no keep-alive for {} s, {} present", config_.Number, Who(p.Member),
                        Peer(p.Address, p.Port), maxIdle / 1000, present_.size());
    }
}

void THostedRoom::SendToOthers(int32_t except, const TMessage& message)
{
    for (const auto& [number, p] : present_)
        if (number != except)
            server_.Send(p.Address, p.Port, message);
}

void THostedRoom::Remove(int32_t number)
{
    present_.erase(number);
    TUserLeft left;
    left.SetUserNumber(static_cast<uint32_t>(number));
    SendToOthers(number, left);
}

} // namespace vlk::server
