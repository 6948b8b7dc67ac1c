#pragma once
// The question the hall asks when it is closed: leave the hall, switch to another number, or stay.
// An advertisement picture above the three buttons links to a web page.
#include "hall/ui/frmFunForm.h"

#include <QPoint>

class QFrame;
class QLabel;
class QPushButton;

namespace vlk {

class TGlobalDM;
class TvlkChatCFG;

class TfrmLogout : public TfrmFunForm {
    Q_OBJECT
public:
    enum class Result { Exit = 1, Cancel = 2, ChangeNumber = 4 };

    static constexpr int kButtonWidth = 105;
    static constexpr int kButtonHeight = 70;

    TfrmLogout(const TvlkChatCFG& cfg, const TGlobalDM& dm, QWidget* parent = nullptr);

    Result ShowModalOver(QWidget* owner);
    // Closing the dialog any other way than by its buttons (Escape) keeps the hall open.
    void reject() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPushButton* MakeButton(const char* name, const QString& caption, const char* skinName, Result result);
    void FormCreate();
    void imgADClick();

    const TvlkChatCFG& cfg_;
    const TGlobalDM& dm_;
    QPoint pressOffset_;
    bool pressedOnAd_ = false;
    bool moving_ = false;
    bool systemMove_ = false;

    QFrame* pnl2;
    QLabel* imgAD;
    QPushButton* btnChangeID;
    QPushButton* btnClose;
    QPushButton* btnCancel;
};

} // namespace vlk
