#include "DialogPictures.h"

#include "PictureKit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <iterator>

using namespace pictures;

namespace {

QLinearGradient Vertical(qreal top, qreal bottom, const QColor& a, const QColor& b)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

QPainterPath Sparkle(QPointF c, qreal outer, qreal inner)
{
    QPainterPath star;
    for (int i = 0; i < 8; ++i) {
        const qreal r = i % 2 ? inner : outer;
        const qreal a = M_PI / 4 * i - M_PI / 2;
        const QPointF point = c + QPointF(std::cos(a) * r, std::sin(a) * r);
        i ? star.lineTo(point) : star.moveTo(point);
    }
    star.closeSubpath();
    return star;
}

// ---------- head pictures: a bust on a coloured tile, drawn on a 40-unit square ----------

enum class Hair { Short, Long, Bun, Spiky, Cap, Curly };

struct HeadLook {
    QColor tileTop, tileBottom, skin, hair, shirt;
    Hair style;
    bool glasses;
};

const HeadLook kHeads[] = {
    {QColor(0x8e, 0xc5, 0xff), QColor(0x4f, 0x93, 0xe8), QColor(0xf7, 0xd2, 0xb4), QColor(0x3a, 0x2a, 0x22), QColor(0xff, 0xff, 0xff), Hair::Short, false},
    {QColor(0xff, 0xc2, 0xd6), QColor(0xf0, 0x7a, 0xa6), QColor(0xfb, 0xdc, 0xc4), QColor(0x4a, 0x2e, 0x24), QColor(0xff, 0xf3, 0xa6), Hair::Long, false},
    {QColor(0xb8, 0xf0, 0xc6), QColor(0x5c, 0xc2, 0x7c), QColor(0xe8, 0xb8, 0x94), QColor(0x1e, 0x1e, 0x26), QColor(0x2b, 0x7d, 0xe9), Hair::Spiky, false},
    {QColor(0xff, 0xdd, 0xa8), QColor(0xf5, 0xa3, 0x4c), QColor(0xf7, 0xd2, 0xb4), QColor(0x8a, 0x4b, 0x1e), QColor(0xe0, 0x3c, 0x5a), Hair::Bun, false},
    {QColor(0xd6, 0xc8, 0xff), QColor(0x8f, 0x76, 0xe8), QColor(0xf2, 0xc9, 0xa8), QColor(0x2a, 0x22, 0x30), QColor(0x33, 0x33, 0x3d), Hair::Short, true},
    {QColor(0xa8, 0xec, 0xf0), QColor(0x3c, 0xb4, 0xc4), QColor(0xfb, 0xdc, 0xc4), QColor(0xd9, 0xa4, 0x41), QColor(0xff, 0x8a, 0x3d), Hair::Curly, false},
    {QColor(0xff, 0xb8, 0xb0), QColor(0xe8, 0x5a, 0x50), QColor(0xe8, 0xb8, 0x94), QColor(0x24, 0x24, 0x2c), QColor(0xff, 0xff, 0xff), Hair::Cap, false},
    {QColor(0xf6, 0xe6, 0xff), QColor(0xc6, 0x8c, 0xe8), QColor(0xf7, 0xd2, 0xb4), QColor(0x1e, 0x1e, 0x26), QColor(0x5c, 0xc2, 0x7c), Hair::Long, true},
    {QColor(0xdc, 0xe4, 0xee), QColor(0x8e, 0xa3, 0xbd), QColor(0xf2, 0xc9, 0xa8), QColor(0x6e, 0x6e, 0x78), QColor(0x1a, 0x5c, 0xc4), Hair::Short, true},
    {QColor(0xff, 0xf0, 0xa0), QColor(0xf2, 0xc1, 0x2e), QColor(0xfb, 0xdc, 0xc4), QColor(0xb0, 0x3a, 0x2e), QColor(0x7a, 0x4b, 0xd6), Hair::Bun, false},
};

void DrawHair(QPainter& p, const HeadLook& h)
{
    p.setBrush(h.hair);
    switch (h.style) {
    case Hair::Short:
    case Hair::Long: {
        QPainterPath top;
        top.moveTo(11.2, 18);
        top.cubicTo(10.5, 8, 29.5, 6, 28.8, 18);
        top.cubicTo(27, 13, 22, 12.5, 17, 13.2);
        top.cubicTo(14.5, 13.6, 12.5, 15, 11.2, 18);
        p.drawPath(top);
        break;
    }
    case Hair::Bun: {
        p.drawEllipse(QPointF(20, 6.2), 4.2, 3.8);
        QPainterPath top;
        top.moveTo(11.2, 17);
        top.cubicTo(11, 7.5, 29, 7.5, 28.8, 17);
        top.cubicTo(24, 12.5, 16, 12.5, 11.2, 17);
        p.drawPath(top);
        break;
    }
    case Hair::Spiky: {
        QPainterPath top;
        top.moveTo(11, 17);
        const QPointF points[] = {{11.5, 8}, {14.5, 12}, {16.5, 5}, {19, 11}, {22.5, 4.5}, {24.5, 11}, {27.5, 6.5},
                                  {27.5, 12}, {29.5, 10}};
        for (const QPointF& point : points)
            top.lineTo(point);
        top.lineTo(29, 17);
        top.cubicTo(25, 13, 15, 13, 11, 17);
        p.drawPath(top);
        break;
    }
    case Hair::Cap: {
        p.setBrush(QColor(0xe8, 0x3a, 0x3a));
        QPainterPath cap;
        cap.moveTo(11, 15);
        cap.cubicTo(11, 5.5, 29, 5.5, 29, 15);
        cap.closeSubpath();
        p.drawPath(cap);
        p.setBrush(QColor(0xc0, 0x24, 0x2a));
        p.drawRoundedRect(QRectF(18, 13.2, 15, 2.8), 1.4, 1.4);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(20, 6.4), 1.2, 1.2);
        break;
    }
    case Hair::Curly: {
        const QPointF curls[] = {{12.5, 14}, {15, 10.5}, {19, 9}, {23, 9.5}, {26.5, 11.5}, {28, 15}};
        for (const QPointF& c : curls)
            p.drawEllipse(c, 3.4, 3.4);
        break;
    }
    }
}

void DrawHead(QPainter& p, const HeadLook& h)
{
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(0, 0, 40, 40), Vertical(0, 40, h.tileTop, h.tileBottom));
    // Soft light in the upper left gives the tile some depth.
    QRadialGradient light(QPointF(8, 4), 26);
    light.setColorAt(0, WithAlpha(Qt::white, 90));
    light.setColorAt(1, WithAlpha(Qt::white, 0));
    p.fillRect(QRectF(0, 0, 40, 40), light);

    if (h.style == Hair::Long) {
        p.setBrush(h.hair);
        p.drawRoundedRect(QRectF(9.5, 9, 21, 25), 9, 9);
    }
    // Shoulders, collar and neck.
    p.setBrush(h.shirt);
    p.drawRoundedRect(QRectF(6, 30, 28, 20), 11, 11);
    p.setBrush(h.skin.darker(112));
    p.drawRect(QRectF(17, 24, 6, 7.5));
    p.setBrush(h.shirt.darker(115));
    QPainterPath collar;
    collar.moveTo(16, 30.5);
    collar.lineTo(20, 34.5);
    collar.lineTo(24, 30.5);
    collar.lineTo(24, 31.8);
    collar.lineTo(20, 36);
    collar.lineTo(16, 31.8);
    collar.closeSubpath();
    p.drawPath(collar);

    // Ears and face.
    p.setBrush(h.skin.darker(106));
    p.drawEllipse(QPointF(11.6, 19), 1.8, 2.4);
    p.drawEllipse(QPointF(28.4, 19), 1.8, 2.4);
    p.setBrush(h.skin);
    p.drawEllipse(QPointF(20, 18), 8.4, 9.4);
    DrawHair(p, h);

    // Eyes, cheeks, smile.
    const QColor ink(0x3a, 0x26, 0x1c);
    p.setBrush(ink);
    p.drawEllipse(QPointF(16.8, 19.2), 1.15, 1.35);
    p.drawEllipse(QPointF(23.2, 19.2), 1.15, 1.35);
    p.setBrush(WithAlpha(QColor(0xff, 0x6f, 0x8a), 80));
    p.drawEllipse(QPointF(14.6, 22.4), 1.8, 1.1);
    p.drawEllipse(QPointF(25.4, 22.4), 1.8, 1.1);
    p.setPen(QPen(ink, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(17.6, 20.6, 4.8, 3.6), 200 * 16, 140 * 16);
    if (h.glasses) {
        p.setPen(QPen(QColor(0x24, 0x24, 0x2c), 0.9));
        p.drawEllipse(QPointF(16.8, 19.2), 2.6, 2.4);
        p.drawEllipse(QPointF(23.2, 19.2), 2.6, 2.4);
        p.drawLine(QPointF(19.4, 19), QPointF(20.6, 19));
    }
}

// One bitmap strip of 32 x 32 pictures, left to right; bitmaps have no transparency, so every
// tile is filled edge to edge.
QImage DrawHeadStrip()
{
    constexpr int size = 32;
    QImage strip(size * int(std::size(kHeads)), size, QImage::Format_RGB32);
    strip.fill(Qt::white);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < int(std::size(kHeads)); ++i) {
        p.save();
        p.translate(i * size, 0);
        p.setClipRect(QRectF(0, 0, size, size));
        p.scale(size / 40.0, size / 40.0);
        DrawHead(p, kHeads[i]);
        p.restore();
    }
    p.end();
    return strip.convertToFormat(QImage::Format_RGB888);
}

// ---------- the logout dialog's advertisement: the community's singing contest ----------

constexpr int kAdWidth = 380;
constexpr int kAdHeight = 160;

void DrawStage(QPainter& p)
{
    QLinearGradient night(0, 0, kAdWidth, kAdHeight);
    night.setColorAt(0.0, QColor(0x2a, 0x12, 0x6e));
    night.setColorAt(0.55, QColor(0x7a, 0x1e, 0x8c));
    night.setColorAt(1.0, QColor(0xe0, 0x3c, 0x6e));
    p.fillRect(QRectF(0, 0, kAdWidth, kAdHeight), night);

    // Stage light beams from the top right, and a warm glow behind the microphone.
    p.setPen(Qt::NoPen);
    const struct { qreal top, foot; int alpha; } beams[] = {{250, 190, 90}, {300, 270, 70}, {345, 360, 80}};
    for (const auto& b : beams) {
        QPainterPath beam;
        beam.moveTo(b.top + 30, -5);
        beam.lineTo(b.top + 44, -5);
        beam.lineTo(b.foot + 40, kAdHeight);
        beam.lineTo(b.foot - 10, kAdHeight);
        beam.closeSubpath();
        p.setBrush(Vertical(0, kAdHeight, WithAlpha(QColor(0xff, 0xf2, 0xc8), b.alpha), WithAlpha(QColor(0xff, 0xf2, 0xc8), 0)));
        p.drawPath(beam);
    }
    QRadialGradient glow(QPointF(310, 92), 80);
    glow.setColorAt(0, WithAlpha(QColor(0xff, 0xc8, 0x6e), 120));
    glow.setColorAt(1, WithAlpha(QColor(0xff, 0xc8, 0x6e), 0));
    p.fillRect(QRectF(0, 0, kAdWidth, kAdHeight), glow);

    const struct { qreal x, y, r; } sparkles[] = {
        {196, 16, 1.6}, {226, 134, 1.8}, {168, 146, 1.4}, {362, 18, 2.0}, {262, 38, 1.4}, {140, 12, 1.2}, {8, 10, 1.4}};
    p.setBrush(WithAlpha(Qt::white, 210));
    for (const auto& s : sparkles)
        p.drawPath(Sparkle(QPointF(s.x, s.y), s.r * 2.6, s.r * 0.7));

    // An equalizer along the bottom edge.
    const int bars[] = {10, 18, 26, 14, 30, 22, 12, 24, 34, 16, 28, 20, 10, 26, 18, 32, 14, 22, 28,
                        12, 20, 30, 16, 24, 12, 26, 18, 10, 22, 14, 28, 16, 24, 20, 12, 18, 26, 14};
    for (int i = 0; i < int(std::size(bars)); ++i) {
        p.setBrush(Vertical(kAdHeight - bars[i], kAdHeight, WithAlpha(Qt::white, 55), WithAlpha(Qt::white, 5)));
        p.drawRoundedRect(QRectF(2 + i * 10, kAdHeight - bars[i], 6, bars[i] + 4), 3, 3);
    }
}

// A golden stage microphone on a 40-unit square: grille head, band and tapering handle.
void DrawGoldenMicrophone(QPainter& p, QPointF centre, qreal scale, qreal angle)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    QPainterPath handle;
    handle.moveTo(-4.2, 2);
    handle.lineTo(4.2, 2);
    handle.lineTo(2.2, 26);
    handle.quadTo(0, 28, -2.2, 26);
    handle.closeSubpath();
    QLinearGradient metal(-4, 0, 4, 0);
    metal.setColorAt(0, QColor(0xc9, 0x7a, 0x12));
    metal.setColorAt(0.45, QColor(0xff, 0xe2, 0x7a));
    metal.setColorAt(1, QColor(0xb8, 0x68, 0x0c));
    p.setBrush(metal);
    p.drawPath(handle);
    p.setBrush(QColor(0x6a, 0x1a, 0x4c));
    p.drawRoundedRect(QRectF(-5.4, -0.5, 10.8, 3.4), 1.5, 1.5);

    QRadialGradient ball(QPointF(-3, -11), 12);
    ball.setColorAt(0, QColor(0xff, 0xf4, 0xc8));
    ball.setColorAt(0.5, QColor(0xf5, 0xc0, 0x40));
    ball.setColorAt(1, QColor(0xb8, 0x68, 0x0c));
    p.setBrush(ball);
    p.drawEllipse(QPointF(0, -8), 8.5, 8.5);
    p.setPen(QPen(WithAlpha(QColor(0x7a, 0x44, 0x08), 120), 0.6));
    p.setBrush(Qt::NoBrush);
    for (qreal d : {-5.0, -2.0, 1.0, 4.0}) {
        const qreal half = std::sqrt(std::max(0.0, 8.5 * 8.5 - d * d)) - 0.6;
        p.drawLine(QPointF(-half, -8 + d), QPointF(half, -8 + d));
        p.drawLine(QPointF(d, -8 - half), QPointF(d, -8 + half));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(Qt::white, 150));
    p.drawEllipse(QPointF(-3.4, -12), 2.4, 1.6);
    p.restore();
}

void DrawNotes(QPainter& p)
{
    const struct { QPointF head; qreal size; QColor color; } notes[] = {
        {{250, 62}, 7, WithAlpha(Qt::white, 200)},
        {{352, 52}, 6, WithAlpha(QColor(0xff, 0xe2, 0x7a), 230)},
        {{274, 120}, 5, WithAlpha(Qt::white, 150)},
    };
    for (const auto& n : notes) {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(n.color);
        p.translate(n.head);
        p.rotate(-20);
        p.drawEllipse(QRectF(-n.size * 0.62, -n.size * 0.42, n.size * 1.24, n.size * 0.84));
        p.restore();
        p.setPen(QPen(n.color, n.size * 0.18, Qt::SolidLine, Qt::RoundCap));
        const QPointF top(n.head.x() + n.size * 0.55, n.head.y() - n.size * 2.4);
        p.drawLine(QPointF(n.head.x() + n.size * 0.55, n.head.y() - n.size * 0.1), top);
        QPainterPath flag(top);
        flag.cubicTo(top + QPointF(n.size * 0.2, n.size * 0.7), top + QPointF(n.size * 1.1, n.size * 0.7),
                     top + QPointF(n.size * 0.8, n.size * 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(flag);
    }
}

void DrawCopy(QPainter& p)
{
    p.setFont(UiFont(13, QFont::Bold));
    p.setPen(QColor(0xff, 0xe2, 0x7a));
    p.drawText(QPointF(22, 34), QString::fromUtf8("vlkchat 音乐视频社区"));

    const QString title = QString::fromUtf8("K歌之王争霸赛");
    const QPointF titlePos(20, 76);
    p.setFont(UiFont(32, QFont::Black));
    p.setPen(WithAlpha(QColor(0x1a, 0x06, 0x40), 130));
    p.drawText(titlePos + QPointF(0, 2.5), title);
    p.setPen(Qt::white);
    p.drawText(titlePos, title);

    p.setFont(UiFont(13, QFont::Normal));
    p.setPen(WithAlpha(Qt::white, 235));
    p.drawText(QPointF(22, 102), QString::fromUtf8("每周六晚 20:00 · 全民开唱 · 赢取荣誉皇冠"));

    // The call to action: a golden pill.
    const QRectF pill(22, 116, 108, 28);
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(QColor(0x1a, 0x06, 0x40), 90));
    p.drawRoundedRect(pill.translated(0, 2), 14, 14);
    p.setBrush(Vertical(pill.top(), pill.bottom(), QColor(0xff, 0xe2, 0x7a), QColor(0xf5, 0xa6, 0x23)));
    p.drawRoundedRect(pill, 14, 14);
    p.setFont(UiFont(14, QFont::Bold));
    p.setPen(QColor(0x6a, 0x1a, 0x4c));
    p.drawText(pill, Qt::AlignCenter, QString::fromUtf8("立即报名 ›"));
}

QImage DrawLogoutAd()
{
    QImage img = NewImage(kAdWidth, kAdHeight);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawStage(p);
    DrawGoldenMicrophone(p, QPointF(312, 84), 2.3, 16);
    DrawNotes(p);
    DrawCopy(p);
    return img;
}

} // namespace

bool DrawDialogPictures(const QString& outDir)
{
    bool ok = SaveAs(DrawHeadStrip(), outDir, "Picture/User/UserHead_32.bmp", "BMP");
    ok &= Save(DrawLogoutAd(), outDir, "Picture/AD/Logout.png");
    return ok;
}
