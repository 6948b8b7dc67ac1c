#pragma once
#include <QString>

// The hall window's pictures: logo, caption background, tab icons and the caption buttons.
bool DrawHallPictures(const QString& outDir);
