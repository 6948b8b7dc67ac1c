#pragma once
#include <QString>

// The room's user lists: mic states, the King's and the Queen's heads, the hidden and muted marks,
// and the level and role badges the sample server names.
bool DrawUserPictures(const QString& outDir);
