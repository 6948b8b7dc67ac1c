#include "room/ui/UserView.h"

#include "base/DateTime.h"
#include "shell/TextHelpers.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace vlk {

namespace {

const QColor kHot(0xD8, 0xEB, 0xFC);
const QColor kSelected(0xEC, 0xE9, 0xD8);
const QColor kStripe(0xF3, 0xF3, 0xF3);
constexpr int kHead = 32;
constexpr int kIcon = 16;
constexpr int kSealLeft = 90;

// Colours travel as the platform's colour value: red in the lowest byte.
QColor WireColor(uint32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

} // namespace

TUserView::TUserView(QWidget* parent) : QAbstractScrollArea(parent), DateTimeNow(NowDateTime)
{
    setObjectName("UserView");
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    verticalScrollBar()->setSingleStep(rowHeight_);
}

void TUserView::SetPathRes(const QString& path)
{
    pathRes_ = path;
    viewport()->update();
}

void TUserView::SetRowHeight(int height)
{
    rowHeight_ = std::max(height, 1);
    verticalScrollBar()->setSingleStep(rowHeight_);
    UpdateScrollBar();
}

const TRoomUser* TUserView::RowUser(int row) const
{
    return row >= 0 && row < RowCount() ? rows_[static_cast<size_t>(row)] : nullptr;
}

void TUserView::SelectUserRow(int32_t number)
{
    selected_ = -1;
    for (int i = 0; i < RowCount(); ++i)
        if (rows_[static_cast<size_t>(i)]->UserNumber() == number) {
            selected_ = i;
            // The local user's row is scrolled into view.
            const int top = i * rowHeight_;
            QScrollBar* bar = verticalScrollBar();
            if (top < bar->value() || top + rowHeight_ > bar->value() + viewport()->height())
                bar->setValue(top);
            break;
        }
    viewport()->update();
}

void TUserView::InsertRow(int row, const TRoomUser& user)
{
    row = std::clamp(row, 0, RowCount());
    rows_.insert(rows_.begin() + row, &user);
    if (selected_ >= row)
        ++selected_;
    UpdateScrollBar();
}

void TUserView::RemoveRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    rows_.erase(rows_.begin() + row);
    if (selected_ == row)
        selected_ = -1;
    else if (selected_ > row)
        --selected_;
    hot_ = -1;
    UpdateScrollBar();
}

void TUserView::MoveRow(int from, int to)
{
    if (from < 0 || from >= RowCount() || to < 0 || to >= RowCount() || from == to)
        return;
    const TRoomUser* user = rows_[static_cast<size_t>(from)];
    rows_.erase(rows_.begin() + from);
    rows_.insert(rows_.begin() + to, user);
    if (selected_ == from)
        selected_ = to;
    viewport()->update();
}

void TUserView::ClearRows()
{
    rows_.clear();
    selected_ = hot_ = -1;
    UpdateScrollBar();
}

void TUserView::Refresh()
{
    viewport()->update();
}

void TUserView::SetKingID(int32_t number)
{
    kingId_ = number;
    viewport()->update();
}

void TUserView::SetQueenID(int32_t number)
{
    queenId_ = number;
    viewport()->update();
}

void TUserView::UserCountChange(int count)
{
    if (OnUserCountChange)
        OnUserCountChange(count);
}

int TUserView::RowAt(int y) const
{
    const int row = (y + verticalScrollBar()->value()) / rowHeight_;
    return y >= 0 && row < RowCount() ? row : -1;
}

void TUserView::UpdateScrollBar()
{
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(viewport()->height());
    bar->setRange(0, std::max(0, RowCount() * rowHeight_ - viewport()->height()));
    viewport()->update();
}

void TUserView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBar();
}

void TUserView::mousePressEvent(QMouseEvent* event)
{
    // Only a plain press on a row counts.
    const int row = RowAt(event->position().toPoint().y());
    if (row < 0 || event->modifiers() != Qt::NoModifier)
        return;
    const int32_t number = rows_[static_cast<size_t>(row)]->UserNumber();
    if (event->buttons() == Qt::LeftButton) {
        selected_ = row;
        viewport()->update();
        if (OnSelectUser)
            OnSelectUser(number);
    } else if (event->buttons() == Qt::RightButton) {
        selected_ = row;
        viewport()->update();
        if (OnOperateUser)
            OnOperateUser(number, event->globalPosition().toPoint());
    }
}

void TUserView::mouseMoveEvent(QMouseEvent* event)
{
    const int row = RowAt(event->position().toPoint().y());
    if (row != hot_) {
        hot_ = row;
        viewport()->update();
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void TUserView::leaveEvent(QEvent* event)
{
    hot_ = -1;
    viewport()->update();
    QAbstractScrollArea::leaveEvent(event);
}

QPixmap TUserView::Picture(const QString& name) const
{
    const QString file = pathRes_ + name;
    return QFile::exists(file) ? QPixmap(file) : QPixmap();
}

void TUserView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int offset = verticalScrollBar()->value();
    // The empty area is striped in row bands too.
    for (int band = 1; band * rowHeight_ < viewport()->height() + rowHeight_; band += 2)
        painter.fillRect(QRect(0, band * rowHeight_ - offset % (2 * rowHeight_), viewport()->width(), rowHeight_), kStripe);
    const int first = offset / rowHeight_;
    for (int row = first; row < RowCount() && row * rowHeight_ - offset < viewport()->height(); ++row)
        PaintRow(painter, row, QRect(0, row * rowHeight_ - offset, viewport()->width(), rowHeight_));
}

void TUserView::PaintRow(QPainter& painter, int row, const QRect& full) const
{
    const TRoomUser& user = *rows_[static_cast<size_t>(row)];
    const QRect r = full.adjusted(1, 1, -1, -1);
    const QColor background = row == hot_ ? kHot : row == selected_ ? kSelected : row % 2 == 0 ? kStripe : Qt::white;
    painter.fillRect(full, background);

    // Head picture, or the King's and the Queen's.
    QPixmap head;
    if (user.UserNumber() == kingId_)
        head = Picture("H_King.bmp");
    else if (user.UserNumber() == queenId_)
        head = Picture("H_Queen.bmp");
    if (head.isNull() && !heads_.isEmpty()) {
        const int index = user.HeadPicture();
        head = heads_.at(index >= 0 && index < heads_.size() ? index : 0);
    }
    const QRect headRect(r.left(), r.top() + (r.height() - kHead) / 2, kHead, kHead);
    if (!head.isNull())
        painter.drawPixmap(headRect, head);
    if (user.Hidden())
        if (const QPixmap mark = Picture("Stealth.bmp"); !mark.isNull())
            painter.drawPixmap(r.left(), r.top() + 22, mark);
    if (user.Muted())
        if (const QPixmap mark = Picture("Banned.bmp"); !mark.isNull())
            painter.drawPixmap(r.left() + 22, r.top() + 22, mark);

    // Mic, level and role pictures from the right.
    const int micIndex = user.MicState() != 0 ? user.MicState() + 1 : user.NoMicImage();
    const int micLeft = r.right() - kIcon;
    const int iconTop = r.top() + (r.height() - kIcon) / 2;
    if (micIndex >= 0 && micIndex < mics_.size())
        painter.drawPixmap(micLeft, iconTop, mics_.at(micIndex));
    const int levelLeft = micLeft - 17;
    const int roleLeft = levelLeft - 17;
    if (const QPixmap level = Picture(Q(Trim(user.LevelPicture())) + ".bmp"); !level.isNull())
        painter.drawPixmap(levelLeft, iconTop, level);
    if (user.RoomRole() != 0)
        if (const QPixmap role = Picture(Q(Trim(user.RolePicture())) + ".bmp"); !role.isNull())
            painter.drawPixmap(roleLeft, iconTop, role);

    // Nickname above, number below.
    const int textLeft = headRect.right() + 3;
    QFont font = this->font();
    font.setFamilies({"宋体", "SimSun", "Noto Sans CJK SC"});
    font.setPointSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(WireColor(user.ShownColor()));
    const QRect upper(textLeft, r.top(), r.right() - textLeft, r.height() / 2);
    painter.drawText(upper, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(Q(Trim(user.Nickname())), Qt::ElideRight, upper.width()));
    font.setBold(false);
    painter.setFont(font);
    painter.setPen(QColor(0x66, 0x66, 0x66));
    const QRect lower(textLeft, r.top() + r.height() / 2, roleLeft - 1 - textLeft, r.height() - r.height() / 2);
    painter.drawText(lower, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(QString::number(user.UserNumber()), Qt::ElideRight, lower.width()));

    // A seal that has not run out by the local clock.
    if (user.SealNumber() > 0 && OnSeal && DateTimeNow() < user.SealExpiry()) {
        const QString file = OnSeal(user.SealNumber());
        if (!file.isEmpty() && QFile::exists(file)) {
            const QPixmap seal(file);
            painter.drawPixmap(full.left() + kSealLeft, full.top() + (full.height() - seal.height()) / 2, seal);
        }
    }
}

} // namespace vlk
