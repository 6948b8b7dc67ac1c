#pragma once
// The shell helpers that need the GUI: picture lists, placing message boxes, opening web addresses.
#include <QList>
#include <QPixmap>
#include <QString>

class QWidget;

namespace vlk {

class TvlkChatCFG;

// Appends one picture: the file's when it exists and loads, an empty one otherwise, so indexes
// into the list stay stable whatever files are missing.
void AddPngToList(QList<QPixmap>& list, const QString& file);

// Places box centred over owner each time it is shown, when its size is final.
void CentreOverOnShow(QWidget* owner, QWidget* box);

// Opens the recharge page for a user in a room with the desktop's web browser.
bool OpenRecharge(const TvlkChatCFG& cfg, int32_t userId, int32_t roomId);

} // namespace vlk
