#include "shell/ui/Screenshot.h"

#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace vlk {
namespace {

constexpr int kSettleMs = 400;   // lets the style sheet, pictures and fonts settle before the grab

} // namespace

Screenshot::Screenshot(QString file, QObject* parent) : QObject(parent), file_(std::move(file)) {}

void Screenshot::OfFirstWindow()
{
    watching_ = true;
    qApp->installEventFilter(this);
}

void Screenshot::Of(QWidget* window)
{
    if (std::exchange(taken_, true))
        return;
    QTimer::singleShot(kSettleMs, this, [this, target = QPointer<QWidget>(window)] {
        if (target)
            Capture(target);
    });
}

bool Screenshot::eventFilter(QObject* watched, QEvent* event)
{
    if (watching_ && event->type() == QEvent::Show) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->isWindow() && !widget->inherits("QMenu") && !widget->inherits("QToolTip")) {
            watching_ = false;
            Of(widget);
        }
    }
    return QObject::eventFilter(watched, event);
}

void Screenshot::Capture(QWidget* window)
{
    if (window->grab().save(file_))
        std::printf("screenshot of \"%s\" written to %s\n", window->windowTitle().toUtf8().constData(),
                    file_.toUtf8().constData());
    else
        std::fprintf(stderr, "screenshot could not be written to %s\n", file_.toUtf8().constData());
    std::fflush(stdout);
    // Ends every event loop, a dialog's included.
    QCoreApplication::exit(0);
}

} // namespace vlk
