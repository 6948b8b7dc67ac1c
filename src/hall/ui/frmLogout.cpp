#include "hall/ui/frmLogout.h"

#include "shell/ui/GlobalDM.h"
#include "shell/vlkChatCFG.h"

#include <QDesktopServices>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>
#include <QWindow>

#include <algorithm>

namespace vlk {
namespace {

constexpr int kDesignWidth = 400;
constexpr int kSideMargin = 20;
constexpr int kButtonMargin = 10;   // below the buttons, and between the picture and the buttons
// Pictures narrower than this are centred on the first 350 pixels of the dialog; wider ones set
// its width.
constexpr int kNarrowPicture = 351;
// Three buttons side by side with their side margins and 10 pixels between them: a wide picture
// never makes the dialog so narrow that they overlap.
constexpr int kLeastWideWidth = 3 * TfrmLogout::kButtonWidth + 2 * kSideMargin + 2 * kButtonMargin;

} // namespace

TfrmLogout::TfrmLogout(const TvlkChatCFG& cfg, const TGlobalDM& dm, QWidget* parent)
    : TfrmFunForm(parent), cfg_(cfg), dm_(dm)
{
    setObjectName("frmLogout");
    pnl2 = new QFrame(this);
    pnl2->setObjectName("pnl2");
    pnl2->setFrameShape(QFrame::StyledPanel);
    imgAD = new QLabel(pnl2);
    imgAD->setObjectName("imgAD");
    btnChangeID = MakeButton("btnChangeID", QStringLiteral("切换帐号"), "logoutchangeid", Result::ChangeNumber);
    btnClose = MakeButton("btnClose", QStringLiteral("退出大厅"), "logoutexit", Result::Exit);
    btnCancel = MakeButton("btnCancel", QStringLiteral("取消"), "logoutcancel", Result::Cancel);
    FormCreate();
}

QPushButton* TfrmLogout::MakeButton(const char* name, const QString& caption, const char* skinName, Result result)
{
    auto* button = new QPushButton(caption, pnl2);
    button->setObjectName(name);
    // Skins draw these buttons by their skin name; a picture made for them carries the caption.
    button->setProperty("skinName", QString::fromLatin1(skinName));
    if (dm_.CSkinData().contains(QLatin1String(skinName)))
        button->setText(QString());
    button->setToolTip(caption);
    button->setFixedSize(kButtonWidth, kButtonHeight);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, result] { done(static_cast<int>(result)); });
    return button;
}

void TfrmLogout::FormCreate()
{
    QPixmap ad;
    const QString file = dm_.Path_App() + "Picture/AD/Logout.png";
    if (QFile::exists(file))
        ad.load(file);
    const QSize picture = ad.isNull() ? QSize(0, 0) : ad.size();
    imgAD->setPixmap(ad);
    imgAD->resize(picture);
    if (!cfg_.LogoutAdv.empty())
        imgAD->setCursor(Qt::PointingHandCursor);

    int width = kDesignWidth;
    int closeLeft = 148;
    if (picture.width() < kNarrowPicture) {
        imgAD->move(175 - picture.width() / 2, 0);
    } else {
        width = std::max(picture.width(), kLeastWideWidth);
        imgAD->move((width - picture.width()) / 2, 0);
        closeLeft = (width - kButtonWidth) / 2;
    }
    // The buttons sit 10 pixels above the bottom edge of the final size; the cancel button keeps
    // its margin to the right edge, whatever width the picture gives.
    const int height = picture.height() + kButtonHeight + 2 * kButtonMargin;
    const int buttonTop = height - kButtonHeight - kButtonMargin;
    btnChangeID->move(kSideMargin, buttonTop);
    btnClose->move(closeLeft, buttonTop);
    btnCancel->move(width - kSideMargin - kButtonWidth, buttonTop);
    setFixedSize(width, height);
    pnl2->setGeometry(0, 0, width, height);
}

TfrmLogout::Result TfrmLogout::ShowModalOver(QWidget* owner)
{
    return static_cast<Result>(TfrmFunForm::ShowModalOver(owner));
}

void TfrmLogout::reject()
{
    done(static_cast<int>(Result::Cancel));
}

void TfrmLogout::imgADClick()
{
    if (!cfg_.LogoutAdv.empty())
        QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(cfg_.LogoutAdv)));
}

// The picture and the panel pass their mouse events up to the dialog: a press followed by a move
// anywhere on them moves the window; a press and release on the picture without moving is a click.
void TfrmLogout::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressOffset_ = event->globalPosition().toPoint() - pos();
    pressedOnAd_ = childAt(event->position().toPoint()) == imgAD;
    moving_ = systemMove_ = false;
}

void TfrmLogout::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || systemMove_)
        return;
    if (!moving_) {
        moving_ = true;
        // The window system moves the window when it can; otherwise it follows the mouse here.
        if (windowHandle() && windowHandle()->startSystemMove()) {
            systemMove_ = true;
            return;
        }
    }
    move(event->globalPosition().toPoint() - pressOffset_);
}

void TfrmLogout::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = pressedOnAd_ && !moving_ && childAt(event->position().toPoint()) == imgAD;
    pressedOnAd_ = false;
    if (click)
        imgADClick();
}

} // namespace vlk
