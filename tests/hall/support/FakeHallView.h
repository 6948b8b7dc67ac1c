#pragma once
// Records what the hall session asks of its window; questions and dialogs answer as told.
#include "hall/HallSession.h"

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace vlk::test {

struct TFakeHallView : IHallView {
    struct Notice {
        std::string title, text;
        std::function<void()> onClose;
    };
    struct Question {
        std::string title, text;
        std::function<void(bool)> answer;
    };
    struct Room {
        std::string localUser, roomInfo;
    };

    std::vector<std::string> statuses;
    bool statusVisible = false;
    std::vector<Notice> notices;
    std::vector<Question> questions;
    std::vector<std::function<void(const std::string&)>> passwordDialogs;
    std::vector<std::string> captions;
    std::vector<std::string> urls;
    std::set<int32_t> tabs;
    int32_t activeTab = 0;
    std::vector<Room> opened;
    int restarts = 0, closes = 0, catalogueLoads = 0, tabsClosed = 0;
    std::vector<double> kingQueenTimes;
    bool camera = true;

    void ShowStatus(const std::string& text) override
    {
        statuses.push_back(text);
        statusVisible = true;
    }
    void HideStatus() override { statusVisible = false; }
    void ShowNotice(const std::string& title, const std::string& text, std::function<void()> onClose) override
    {
        notices.push_back({title, text, std::move(onClose)});
    }
    void Ask(const std::string& title, const std::string& text, std::function<void(bool)> answer) override
    {
        questions.push_back({title, text, std::move(answer)});
    }
    void AskRoomPassword(std::function<void(const std::string&)> confirmed) override
    {
        passwordDialogs.push_back(std::move(confirmed));
    }
    void SetCaptions(const std::string& window, const std::string& application, const std::string& nickname) override
    {
        captions = {window, application, nickname};
    }
    void NavigateHall(const std::string& url) override { urls.push_back(url); }
    bool HasRoomTab(int32_t roomId) override { return tabs.count(roomId) != 0; }
    void ActivateRoomTab(int32_t roomId) override { activeTab = roomId; }
    int RoomTabCount() override { return static_cast<int>(tabs.size()); }
    void CloseActiveRoomTab() override
    {
        tabs.erase(activeTab);
        ++tabsClosed;
    }
    void CloseAllRoomTabs() override
    {
        tabsClosed += static_cast<int>(tabs.size());
        tabs.clear();
    }
    void OpenRoom(const std::string& localUser, const std::string& roomInfo) override
    {
        opened.push_back({localUser, roomInfo});
        int32_t room = 0;
        std::memcpy(&room, roomInfo.data(), 4);
        tabs.insert(room);
        activeTab = room;
    }
    void TellRoomsKingQueen(uint8_t, int32_t, double serverTime) override { kingQueenTimes.push_back(serverTime); }
    bool CameraPresent() override { return camera; }
    void LoadCatalogues() override { ++catalogueLoads; }
    void Restart() override { ++restarts; }
    void CloseHall() override { ++closes; }
};

} // namespace vlk::test
