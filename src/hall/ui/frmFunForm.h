#pragma once
// The base of the small function dialogs: a frameless top-most window shown modally, centred over
// the window it belongs to.
#include <QDialog>

namespace vlk {

class TfrmFunForm : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFunForm(QWidget* parent = nullptr);

    // Centres the dialog over owner (kept on the screen, see PlaceOver) and runs it modally;
    // the modal result.
    int ShowModalOver(QWidget* owner);

private:
    // Where the dialog's top-left corner goes: centred over owner, its top at most 50 pixels above
    // the screen's bottom and its left at most 30 pixels before the desktop's right edge, so that
    // part of it is always there to grab; never above or left of the screen.
    QPoint PlaceOver(const QWidget* owner) const;
};

} // namespace vlk
