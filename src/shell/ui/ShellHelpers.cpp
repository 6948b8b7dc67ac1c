#include "shell/ui/ShellHelpers.h"

#include "shell/vlkChatCFG.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QUrl>
#include <QWidget>

namespace vlk {

namespace {

class TCentreOnShow : public QObject {
public:
    TCentreOnShow(QWidget* owner, QWidget* box) : QObject(box), owner_(owner) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && owner_) {
            auto* box = static_cast<QWidget*>(watched);
            const QRect o = owner_->frameGeometry();
            const QSize b = box->frameGeometry().size();
            // Halves rounded toward zero.
            box->move(o.x() + o.width() / 2 - b.width() / 2, o.y() + o.height() / 2 - b.height() / 2);
        }
        return false;
    }

private:
    QPointer<QWidget> owner_;
};

} // namespace

void AddPngToList(QList<QPixmap>& list, const QString& file)
{
    QPixmap picture;
    if (QFile::exists(file))
        picture.load(file);
    list.append(picture);
}

void CentreOverOnShow(QWidget* owner, QWidget* box)
{
    new TCentreOnShow(owner, box);
}

bool OpenRecharge(const TvlkChatCFG& cfg, int32_t userId, int32_t roomId)
{
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(cfg.RechargeAddress(userId, roomId))));
}

} // namespace vlk
