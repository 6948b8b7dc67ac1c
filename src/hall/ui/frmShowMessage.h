#pragma once
// A notice that does not block: its text and an OK button that counts down and presses itself.
// The window frees itself when closed; onClose runs then (not when its owner destroys it).
#include <QDialog>
#include <QTimer>

#include <functional>

class QLabel;
class QPushButton;

namespace vlk {

class TfrmShowMessage : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSeconds = 5;

    TfrmShowMessage(const QString& title, const QString& text, std::function<void()> onClose,
                    QWidget* parent = nullptr);

    // Shows a notice centred over parent (or the screen).
    static TfrmShowMessage* Show(const QString& title, const QString& text, std::function<void()> onClose,
                                 QWidget* parent);

    int SecondsLeft() const { return secondsLeft_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Tick();
    void UpdateButton();

    QLabel* lblText;
    QPushButton* btnOK;
    QTimer timer_;
    int secondsLeft_ = kSeconds;
    std::function<void()> onClose_;
};

} // namespace vlk
