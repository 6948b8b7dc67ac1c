#pragma once
// What every drawing of the default pictures shares: the palette, the fonts, blank images and
// saving under the output folder.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

namespace pictures {

inline const QColor kAccent(0x2b, 0x7d, 0xe9);
inline const QColor kAccentDeep(0x1a, 0x5c, 0xc4);
inline const QColor kAccentLight(0x4f, 0xa3, 0xf7);
inline const QColor kPanelTop(0xfb, 0xfc, 0xfe);
inline const QColor kPanelBottom(0xf0, 0xf4, 0xf9);

QColor WithAlpha(QColor c, int alpha);
QFont UiFont(int pixelSize, QFont::Weight weight);
// Transparent, premultiplied.
QImage NewImage(int w, int h);
// Writes outDir/relative, making its folders; says so on stderr when it cannot.
bool SaveAs(const QImage& img, const QString& outDir, const QString& relative, const char* format);
// A GIF (the platform's image writers have none): at most 255 colours plus transparency; pixels
// less than half opaque are transparent, the others are laid over white.
bool SaveGif(const QImage& img, const QString& outDir, const QString& relative);
inline bool Save(const QImage& img, const QString& outDir, const QString& relative)
{
    return SaveAs(img, outDir, relative, "PNG");
}

} // namespace pictures
