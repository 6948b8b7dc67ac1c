#pragma once
// A room's list of users, drawn row by row: head picture, nickname in the colour of the user's
// level or role, number, mic, level and role pictures, hidden and muted marks, seal. The room's
// user collection decides which users it shows and in which order; the list draws them and
// reports clicks.
#include "room/UserManage.h"

#include <QAbstractScrollArea>
#include <QList>
#include <QPixmap>
#include <QString>

#include <functional>
#include <vector>

namespace vlk {

class TUserView : public QAbstractScrollArea, public IUserView {
    Q_OBJECT
public:
    explicit TUserView(QWidget* parent = nullptr);

    // Folder of the list pictures, with its trailing '/'.
    void SetPathRes(const QString& path);
    void SetRowHeight(int height);
    int RowHeight() const { return rowHeight_; }
    void SetHeadImages(const QList<QPixmap>& images) { heads_ = images; viewport()->update(); }
    void SetMicImages(const QList<QPixmap>& images) { mics_ = images; viewport()->update(); }

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const TRoomUser* RowUser(int row) const;
    int SelectedRow() const { return selected_; }
    void SelectUserRow(int32_t number);
    int32_t KingID() const { return kingId_; }
    int32_t QueenID() const { return queenId_; }

    // IUserView
    void InsertRow(int row, const TRoomUser& user) override;
    void RemoveRow(int row) override;
    void MoveRow(int from, int to) override;
    void ClearRows() override;
    void Refresh() override;
    void SetKingID(int32_t number) override;
    void SetQueenID(int32_t number) override;
    void UserCountChange(int count) override;

    // A left click on a row.
    std::function<void(int32_t number)> OnSelectUser;
    // A right click on a row, at a screen position.
    std::function<void(int32_t number, QPoint screen)> OnOperateUser;
    std::function<void(int count)> OnUserCountChange;
    // The picture file of a seal number (empty for none).
    std::function<QString(int32_t seal)> OnSeal;
    // The local wall clock as a date-time (seals run out by it); tests set their own.
    std::function<double()> DateTimeNow;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int RowAt(int y) const;
    void UpdateScrollBar();
    void PaintRow(QPainter& painter, int row, const QRect& rect) const;
    // The picture file under the list folder, or nothing when it is missing.
    QPixmap Picture(const QString& name) const;

    QString pathRes_;
    int rowHeight_ = 34;
    QList<QPixmap> heads_;
    QList<QPixmap> mics_;
    std::vector<const TRoomUser*> rows_;
    int selected_ = -1;
    int hot_ = -1;
    int32_t kingId_ = 0;
    int32_t queenId_ = 0;
};

} // namespace vlk
