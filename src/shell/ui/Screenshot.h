#pragma once
// For demos and documentation on machines without a display: a picture of one window written to a
// file (said on stdout), after which the program ends.
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace vlk {

class Screenshot : public QObject {
    Q_OBJECT
public:
    explicit Screenshot(QString file, QObject* parent = nullptr);

    // The first top-level window shown, once it has been painted.
    void OfFirstWindow();
    // This window, once what it shows now has been painted; only the first request counts.
    void Of(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Capture(QWidget* window);

    QString file_;
    bool watching_ = false;
    bool taken_ = false;
};

} // namespace vlk
