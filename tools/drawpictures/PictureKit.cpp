#include "PictureKit.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace pictures {

QColor WithAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QFont UiFont(int pixelSize, QFont::Weight weight)
{
    QFont f;
    f.setFamilies({"Noto Sans CJK SC", "WenQuanYi Micro Hei"});
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QImage NewImage(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

bool SaveAs(const QImage& img, const QString& outDir, const QString& relative, const char* format)
{
    const QString path = QDir(outDir).filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (img.save(path, format))
        return true;
    std::fprintf(stderr, "drawpictures: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace pictures
