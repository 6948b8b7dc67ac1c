#include "shell/ui/ShellHelpers.h"

#include "shell/vlkChatCFG.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

namespace vlk {

void AddPngToList(QList<QPixmap>& list, const QString& file)
{
    QPixmap picture;
    if (QFile::exists(file))
        picture.load(file);
    list.append(picture);
}

bool OpenRecharge(const TvlkChatCFG& cfg, int32_t userId, int32_t roomId)
{
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(cfg.RechargeAddress(userId, roomId))));
}

} // namespace vlk
