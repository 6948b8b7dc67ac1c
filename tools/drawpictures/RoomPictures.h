#pragma once
#include <QString>

// The room window's pictures: the marks before the welcome and notice lines.
bool DrawRoomPictures(const QString& outDir);
