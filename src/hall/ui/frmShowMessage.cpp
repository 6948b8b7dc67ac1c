#include "hall/ui/frmShowMessage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <utility>

namespace vlk {

TfrmShowMessage::TfrmShowMessage(const QString& title, const QString& text, std::function<void()> onClose,
                                 QWidget* parent)
    : QDialog(parent), onClose_(std::move(onClose))
{
    setObjectName("frmShowMessage");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    setModal(false);

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    lblText = new QLabel(text, this);
    lblText->setObjectName("lblText");
    lblText->setWordWrap(true);
    lblText->setMinimumWidth(240);
    lblText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    btnOK = new QPushButton(this);
    btnOK->setObjectName("btnOK");
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::close);

    auto* row = new QHBoxLayout;
    row->setSpacing(14);
    row->addWidget(icon);
    row->addWidget(lblText, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(16);
    layout->addLayout(row);
    layout->addLayout(buttons);

    UpdateButton();
    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &TfrmShowMessage::Tick);
    timer_.start();
}

void TfrmShowMessage::closeEvent(QCloseEvent* event)
{
    QDialog::closeEvent(event);
    timer_.stop();
    if (auto onClose = std::exchange(onClose_, nullptr))
        onClose();
}

TfrmShowMessage* TfrmShowMessage::Show(const QString& title, const QString& text, std::function<void()> onClose,
                                       QWidget* parent)
{
    auto* notice = new TfrmShowMessage(title, text, std::move(onClose), parent);
    notice->adjustSize();
    const QRect over = parent && parent->isVisible() ? parent->frameGeometry()
                                                     : notice->screen()->availableGeometry();
    notice->move(over.center() - notice->rect().center());
    notice->show();
    return notice;
}

void TfrmShowMessage::Tick()
{
    if (--secondsLeft_ <= 0) {
        timer_.stop();
        btnOK->click();
        return;
    }
    UpdateButton();
}

void TfrmShowMessage::UpdateButton()
{
    btnOK->setText(QStringLiteral("确认(%1)").arg(secondsLeft_));
}

} // namespace vlk
