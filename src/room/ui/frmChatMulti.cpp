#include "room/ui/frmChatMulti.h"

#include <QLabel>
#include <QVBoxLayout>

#include <string_view>

namespace vlk {

namespace {

// A record shorter than its layout (a damaged answer) is read as if zero-padded.
template <class R>
void CopyRecord(R& record, const std::string& bytes)
{
    record = R();
    record.setRaw(0, std::string_view(bytes).substr(0, record.size()));
}

} // namespace

TfrmChatMulti::TfrmChatMulti(QWidget* parent) : QWidget(parent)
{
    setObjectName("frmChatMulti");
    setAttribute(Qt::WA_StyledBackground);
    lblRoomName = new QLabel(this);
    lblRoomName->setObjectName("lblRoomName");
    lblNotice = new QLabel(this);
    lblNotice->setObjectName("lblRoomNotice");
    lblNotice->setWordWrap(true);
    lblWelcome = new QLabel(this);
    lblWelcome->setObjectName("lblRoomWelcome");
    lblWelcome->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 24, 28, 24);
    layout->setSpacing(12);
    layout->addWidget(lblRoomName);
    layout->addWidget(lblWelcome);
    layout->addWidget(lblNotice);
    layout->addStretch();
}

void TfrmChatMulti::EnterRoom(const std::string& localUserInfo, const std::string& roomInfo)
{
    CopyRecord(room_, roomInfo);
    CopyRecord(localUser_, localUserInfo);
    setWindowTitle(QStringLiteral("(%1)%2").arg(room_.RoomNumber()).arg(QString::fromStdString(localUser_.Nickname())));
    lblRoomName->setText(QStringLiteral("%1（%2）").arg(QString::fromStdString(room_.RoomName())).arg(room_.RoomNumber()));
    lblWelcome->setText(QString::fromStdString(room_.WelcomeText()));
    lblNotice->setText(QString::fromStdString(room_.Notice()));
}

} // namespace vlk
