#pragma once
#include <QString>

// The registration and logout dialogs' pictures: the members' head pictures (one bitmap strip of
// 32 x 32 pictures) and the logout dialog's advertisement.
bool DrawDialogPictures(const QString& outDir);
