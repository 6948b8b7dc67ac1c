#pragma once
// For demos and documentation on machines without a display: once the first top-level window
// has been shown and painted, write a picture of it to a file, say so on stdout, and close it.
#include <QObject>
#include <QString>

namespace vlk {

class ScreenshotOnShow : public QObject {
    Q_OBJECT
public:
    explicit ScreenshotOnShow(QString file, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Capture(QWidget* window);
    QString file_;
    bool armed_ = true;
};

} // namespace vlk
