#pragma once
// The main window: a caption strip with the logo, the tab bar and the window buttons over either
// the hall page or one of the open rooms. The hall session drives it through IHallView; the page
// drives the session through its links.
#include "hall/Catalogues.h"
#include "hall/HallSession.h"
#include "hall/HallUserInfo.h"
#include "room/RoomSession.h"
#include "shell/StartUp.h"
#include "shell/vlkTypeCFG.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QMenu;
class QPushButton;
class QWebEngineView;

namespace vlk {

class TfrmChatMulti;
class TGlobalDM;
class THallWebPage;
class TTabsBar;

class TfrmRoomHall : public QWidget, private IHallView {
    Q_OBJECT
public:
    static constexpr int kCaptionHeight = 46;
    static constexpr int kButtonWidth = 75;
    static constexpr int kButtonHeight = 25;

    TfrmRoomHall(TvlkChatCFG& cfg, TGlobalDM& dm, const TSessionIdentity& identity, QWidget* parent = nullptr);
    ~TfrmRoomHall() override;

    // Starts the program again without arguments (Restart, changing the number); tests replace it.
    std::function<void()> StartProgramAgain;
    // Starts the game centre program; tests replace it.
    std::function<void()> StartGameCenter;

    THallSession& Session() { return *session_; }
    TTabsBar* TabsBar() const { return tbsbr1; }
    QWebEngineView* HallView() const { return wbHall; }
    // Nothing until the log-in has been accepted.
    const TCatalogues* Catalogues() const { return catalogues_.get(); }
    const TvlkTypeCFG& TypeConfig() const { return typeCfg_; }
    TfrmChatMulti* RoomWindow(int32_t roomId) const;

    // What a room window asks of the hall.
    void Attention(QWidget* room);
    void ExitRoom(QWidget* room, int32_t roomId, const QString& reason);
    void CloseRoomTabs();

    // An address the page is about to open; true when it was one of the hall's links.
    bool FollowLink(const QString& address);

signals:
    // The window has closed for good (not a room closed by the close button).
    void closed();
    void roomOpened(int32_t roomId);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // IHallView
    void ShowStatus(const std::string& text) override;
    void HideStatus() override;
    void ShowNotice(const std::string& title, const std::string& text, std::function<void()> onClose) override;
    void Ask(const std::string& title, const std::string& text, std::function<void(bool yes)> answer) override;
    void AskRoomPassword(std::function<void(const std::string& password)> confirmed) override;
    void SetCaptions(const std::string& window, const std::string& application, const std::string& nickname) override;
    void NavigateHall(const std::string& url) override;
    bool HasRoomTab(int32_t roomId) override;
    void ActivateRoomTab(int32_t roomId) override;
    int RoomTabCount() override;
    void CloseActiveRoomTab() override;
    void CloseAllRoomTabs() override;
    void OpenRoom(const std::string& localUserInfo, const std::string& roomInfo) override;
    void TellRoomsKingQueen(uint8_t eventKind, int32_t userId, double serverTime) override;
    bool CameraPresent() override;
    void LoadCatalogues() override;
    void Restart() override;
    void CloseHall() override;

    void FormCreate();
    void BuildCaption();
    void FillSkinMenu();
    void ChangeSkinData();
    void LayoutContent();
    void DocumentComplete(bool ok);
    void LayoutClick();
    void CollectClick();
    std::vector<TfrmChatMulti*> RoomWindows() const;
    int RoomTabIndex(int32_t roomId) const;

    TvlkChatCFG& cfg_;
    TGlobalDM& dm_;
    TvlkTypeCFG typeCfg_;
    THallUserInfo user_;
    std::unique_ptr<THallSession> session_;
    std::unique_ptr<TCatalogues> catalogues_;
    bool closing_ = false;
    bool shown_ = false;

    QWidget* pnlCaption;
    QLabel* imgLogo;
    QLabel* imgCaptionbg;
    TTabsBar* tbsbr1;
    QPushButton* btnClose;
    QPushButton* btnMax;
    QPushButton* btnMin;
    QPushButton* btnCollect;
    QPushButton* btnSkin;
    QPushButton* btnLayout;
    QLabel* lblNick;
    QWidget* content_;   // the pages the tabs stand for, stacked
    QWidget* bsSkinPanel1;
    QWebEngineView* wbHall;
    THallWebPage* page_;
    QLabel* PnlLogin;
    QMenu* pmnSkin;
};

} // namespace vlk
