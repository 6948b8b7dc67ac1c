#include "hall/ui/frmFunForm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace vlk {

TfrmFunForm::TfrmFunForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
}

QPoint TfrmFunForm::PlaceOver(const QWidget* owner) const
{
    const QRect o = owner->frameGeometry();
    const QSize size = frameGeometry().size();
    const QScreen* screen = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect shown = screen->geometry();
    const QRect desktop = screen->virtualGeometry();
    const int left = o.x() + (o.width() - size.width()) / 2;
    const int top = o.y() + (o.height() - size.height()) / 2;
    return {std::max(desktop.left(), std::min(left, desktop.left() + desktop.width() - 30)),
            std::max(shown.top(), std::min(top, shown.top() + shown.height() - 50))};
}

int TfrmFunForm::ShowModalOver(QWidget* owner)
{
    move(PlaceOver(owner));
    return exec();
}

} // namespace vlk
