#include "shell/ui/ScreenshotOnShow.h"

#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace vlk {
namespace {

constexpr int kSettleMs = 400;   // lets the style sheet, pictures and fonts settle before the grab

} // namespace

ScreenshotOnShow::ScreenshotOnShow(QString file, QObject* parent) : QObject(parent), file_(std::move(file))
{
    qApp->installEventFilter(this);
}

bool ScreenshotOnShow::eventFilter(QObject* watched, QEvent* event)
{
    if (armed_ && event->type() == QEvent::Show) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->isWindow() && !widget->inherits("QMenu") && !widget->inherits("QToolTip")) {
            armed_ = false;
            QPointer<QWidget> window(widget);
            QTimer::singleShot(kSettleMs, this, [this, window] {
                if (window)
                    Capture(window);
                armed_ = true;
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

void ScreenshotOnShow::Capture(QWidget* window)
{
    if (window->grab().save(file_))
        std::printf("screenshot of \"%s\" written to %s\n", window->windowTitle().toUtf8().constData(),
                    file_.toUtf8().constData());
    else
        std::fprintf(stderr, "screenshot could not be written to %s\n", file_.toUtf8().constData());
    std::fflush(stdout);
    window->close();
}

} // namespace vlk
