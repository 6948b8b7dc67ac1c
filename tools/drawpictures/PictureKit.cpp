#include "PictureKit.h"

#include <QDir>
#include <QFileInfo>

#include <QFile>

#include <cstdio>
#include <map>
#include <vector>

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

namespace {

// Codes of 9 bits without compression: a clear code before the table would need a tenth bit.
class TGifCodes {
public:
    void Put(int code)
    {
        bits_ |= static_cast<uint32_t>(code) << count_;
        count_ += 9;
        while (count_ >= 8) {
            bytes_.push_back(static_cast<char>(bits_ & 0xFF));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    QByteArray Finish()
    {
        if (count_ > 0)
            bytes_.push_back(static_cast<char>(bits_ & 0xFF));
        return bytes_;
    }

private:
    QByteArray bytes_;
    uint32_t bits_ = 0;
    int count_ = 0;
};

void PutWord(QByteArray& out, int value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

} // namespace

bool SaveGif(const QImage& source, const QString& outDir, const QString& relative)
{
    const QImage img = source.convertToFormat(QImage::Format_ARGB32);
    // Index 0 is transparent; colours lose precision until they fit the palette.
    std::vector<QRgb> palette;
    std::vector<uint8_t> indexes;
    for (int shift = 0; shift <= 4; ++shift) {
        std::map<QRgb, uint8_t> seen;
        palette.assign(1, qRgb(255, 255, 255));
        indexes.clear();
        bool fits = true;
        for (int y = 0; y < img.height() && fits; ++y)
            for (int x = 0; x < img.width() && fits; ++x) {
                const QRgb p = img.pixel(x, y);
                if (qAlpha(p) < 128) {
                    indexes.push_back(0);
                    continue;
                }
                auto over = [&](int c) { return ((c * qAlpha(p) + 255 * (255 - qAlpha(p))) / 255) >> shift << shift; };
                const QRgb colour = qRgb(over(qRed(p)), over(qGreen(p)), over(qBlue(p)));
                auto [it, added] = seen.emplace(colour, static_cast<uint8_t>(palette.size()));
                if (added) {
                    if (palette.size() == 256) {
                        fits = false;
                        break;
                    }
                    palette.push_back(colour);
                }
                indexes.push_back(it->second);
            }
        if (fits)
            break;
    }
    palette.resize(256, qRgb(0, 0, 0));

    QByteArray out("GIF89a");
    PutWord(out, img.width());
    PutWord(out, img.height());
    out.append("\xF7\x00\x00", 3);   // 256-colour global table
    for (QRgb c : palette) {
        out.push_back(static_cast<char>(qRed(c)));
        out.push_back(static_cast<char>(qGreen(c)));
        out.push_back(static_cast<char>(qBlue(c)));
    }
    out.append("\x21\xF9\x04\x01\x00\x00\x00\x00", 8);   // index 0 is transparent
    out.push_back('\x2C');
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, img.width());
    PutWord(out, img.height());
    out.push_back('\x00');
    out.push_back('\x08');   // 8-bit codes
    TGifCodes codes;
    constexpr int kClear = 256, kEnd = 257, kRun = 254;
    for (size_t i = 0; i < indexes.size(); ++i) {
        if (i % kRun == 0)
            codes.Put(kClear);
        codes.Put(indexes[i]);
    }
    codes.Put(kEnd);
    const QByteArray data = codes.Finish();
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const qsizetype n = std::min<qsizetype>(255, data.size() - at);
        out.push_back(static_cast<char>(n));
        out.append(data.mid(at, n));
    }
    out.push_back('\x00');
    out.push_back('\x3B');

    const QString path = QDir(outDir).filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(out) == out.size())
        return true;
    std::fprintf(stderr, "drawpictures: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace pictures
