// Draws the pictures of the default program directory: the login dialog background, the login
// buttons (border-image pictures, so they carry no text), the small glyphs the skins reference,
// the gift, seal and emoticon pictures of the sample catalogues, the hall window's pictures, and the
// registration and logout dialogs' pictures, the user lists' and the room window's pictures.
// Usage: drawpictures OUTDIR  (writes OUTDIR/Picture/...)
#include "DialogPictures.h"
#include "HallPictures.h"
#include "PictureKit.h"
#include "RoomPictures.h"
#include "UserPictures.h"

#include <QByteArray>
#include <QColor>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <cmath>
#include <cstdio>
#include <iterator>

using namespace pictures;

namespace {

constexpr int kLoginWidth = 424;
constexpr int kLoginHeight = 299;
constexpr int kBannerHeight = 95;
constexpr int kButtonBarTop = 234;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 30;

// An eighth note: tilted oval head, stem and a curved flag.
void DrawNote(QPainter& p, QPointF head, qreal size, const QColor& color)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.save();
    p.translate(head);
    p.rotate(-22);
    p.drawEllipse(QRectF(-size * 0.36, -size * 0.25, size * 0.72, size * 0.5));
    p.restore();
    const qreal stemX = head.x() + size * 0.30;
    const qreal stemTop = head.y() - size * 1.45;
    p.drawRect(QRectF(stemX - size * 0.07, stemTop, size * 0.14, size * 1.45));
    QPainterPath flag;
    flag.moveTo(stemX, stemTop);
    flag.cubicTo(stemX + size * 0.15, stemTop + size * 0.45, stemX + size * 0.75, stemTop + size * 0.5,
                 stemX + size * 0.45, stemTop + size * 1.05);
    flag.cubicTo(stemX + size * 0.55, stemTop + size * 0.6, stemX + size * 0.2, stemTop + size * 0.45,
                 stemX, stemTop + size * 0.42);
    flag.closeSubpath();
    p.drawPath(flag);
    p.restore();
}

// Two beamed eighth notes, the classic "music" sign.
void DrawBeamedNotes(QPainter& p, QPointF firstHead, qreal size, const QColor& color)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const qreal gap = size * 1.3;
    for (int i = 0; i < 2; ++i) {
        const QPointF head = firstHead + QPointF(i * gap, -i * size * 0.25);
        p.save();
        p.translate(head);
        p.rotate(-22);
        p.drawEllipse(QRectF(-size * 0.36, -size * 0.25, size * 0.72, size * 0.5));
        p.restore();
        p.drawRect(QRectF(head.x() + size * 0.23, head.y() - size * 1.4, size * 0.14, size * 1.4));
    }
    const qreal x0 = firstHead.x() + size * 0.23;
    const qreal x1 = firstHead.x() + gap + size * 0.37;
    const qreal y0 = firstHead.y() - size * 1.4;
    const qreal y1 = y0 - size * 0.25;
    QPainterPath beam;
    beam.moveTo(x0, y0);
    beam.lineTo(x1, y1);
    beam.lineTo(x1, y1 + size * 0.3);
    beam.lineTo(x0, y0 + size * 0.3);
    beam.closeSubpath();
    p.drawPath(beam);
    p.restore();
}

// A studio microphone: capsule with grille lines, a U-shaped holder, stem and base.
void DrawMicrophone(QPainter& p, QPointF center, qreal scale, const QBrush& body, const QColor& line)
{
    p.save();
    p.translate(center);
    p.scale(scale, scale);
    const QRectF capsule(-7, -17, 14, 22);
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawRoundedRect(capsule, 7, 7);
    p.setPen(QPen(WithAlpha(Qt::white, 150), 1.1, Qt::SolidLine, Qt::RoundCap));
    for (qreal y : {-9.5, -5.5, -1.5})
        p.drawLine(QPointF(-3.6, y), QPointF(3.6, y));
    p.setPen(QPen(line, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath holder;
    holder.moveTo(-11, -4);
    holder.cubicTo(-11, 9, 11, 9, 11, -4);
    p.drawPath(holder);
    p.drawLine(QPointF(0, 6.5), QPointF(0, 13));
    p.drawLine(QPointF(-6, 13.5), QPointF(6, 13.5));
    p.restore();
}

// The top edge of the light panel: a gentle wave across the foot of the banner.
QPainterPath PanelEdge()
{
    const qreal w = kLoginWidth;
    QPainterPath edge;
    edge.moveTo(0, 90);
    edge.cubicTo(w * 0.3, 74, w * 0.62, 106, w, 84);
    return edge;
}

void DrawBanner(QPainter& p)
{
    const qreal w = kLoginWidth;
    QLinearGradient sky(0, 0, w, kBannerHeight + 20);
    sky.setColorAt(0.0, QColor(0x16, 0x4f, 0xb3));
    sky.setColorAt(0.55, kAccent);
    sky.setColorAt(1.0, kAccentLight);
    p.fillRect(QRectF(0, 0, w, kBannerHeight + 14), sky);

    // Soft light blobs give depth without competing with the logo.
    const struct { QPointF c; qreal r; int a; } blobs[] = {
        {{350, -30}, 150, 70}, {{120, 120}, 120, 30}, {{410, 100}, 80, 40}};
    for (const auto& b : blobs) {
        QRadialGradient g(b.c, b.r);
        g.setColorAt(0, WithAlpha(Qt::white, b.a));
        g.setColorAt(1, WithAlpha(Qt::white, 0));
        p.fillRect(QRectF(0, 0, w, kBannerHeight + 14), g);
    }

    // Faint equalizer bars on the right: the audio motif behind the title.
    p.setPen(Qt::NoPen);
    const int heights[] = {16, 28, 40, 24, 48, 34, 54, 30, 42, 22, 32, 18};
    const qreal barW = 6, step = 10, baseY = 86, firstX = 300;
    for (int i = 0; i < int(std::size(heights)); ++i) {
        const qreal x = firstX + i * step;
        QLinearGradient g(0, baseY - heights[i], 0, baseY);
        g.setColorAt(0, WithAlpha(Qt::white, 70));
        g.setColorAt(1, WithAlpha(Qt::white, 8));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(x, baseY - heights[i], barW, heights[i]), 3, 3);
    }
    DrawNote(p, {252, 40}, 13, WithAlpha(Qt::white, 90));
    DrawBeamedNotes(p, {384, 26}, 10, WithAlpha(Qt::white, 75));

    // Light ribbons echo the panel's wave edge: a layered sound-wave look.
    p.setBrush(Qt::NoBrush);
    const struct { qreal dy; int alpha; } ribbons[] = {{-5, 70}, {-10, 38}};
    for (const auto& r : ribbons) {
        p.setPen(QPen(WithAlpha(Qt::white, r.alpha), 1.3));
        p.drawPath(PanelEdge().translated(0, r.dy));
    }
}

void DrawEmblem(QPainter& p, QPointF c, qreal r)
{
    // Drop shadow first, then a white disc with a soft halo ring.
    QRadialGradient shadow(c + QPointF(0, 3), r + 8);
    shadow.setColorAt(0.75, WithAlpha(QColor(0x0a, 0x2a, 0x66), 90));
    shadow.setColorAt(1.0, WithAlpha(QColor(0x0a, 0x2a, 0x66), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(c + QPointF(0, 3), r + 8, r + 8);

    p.setBrush(WithAlpha(Qt::white, 50));
    p.drawEllipse(c, r + 5, r + 5);

    QLinearGradient disc(c.x(), c.y() - r, c.x(), c.y() + r);
    disc.setColorAt(0, Qt::white);
    disc.setColorAt(1, QColor(0xe4, 0xef, 0xfd));
    p.setBrush(disc);
    p.drawEllipse(c, r, r);

    QLinearGradient micBody(0, -17, 0, 5);
    micBody.setColorAt(0, kAccentLight);
    micBody.setColorAt(1, kAccentDeep);
    DrawMicrophone(p, c + QPointF(-2, 2), r / 22.0, micBody, kAccentDeep);
    DrawNote(p, c + QPointF(r * 0.42, -r * 0.05), r * 0.36, QColor(0xff, 0x8a, 0x3d));
}

void DrawTitle(QPainter& p)
{
    const QFont title = UiFont(30, QFont::Bold);
    const QFont tagline = UiFont(13, QFont::Normal);
    const QString name = "vlkchat";
    const QPointF titlePos(104, 48);

    p.setFont(title);
    p.setPen(WithAlpha(QColor(0x08, 0x25, 0x5c), 70));
    p.drawText(titlePos + QPointF(0, 1.5), name);
    p.setPen(Qt::white);
    p.drawText(titlePos, name);

    p.setFont(tagline);
    p.setPen(WithAlpha(Qt::white, 225));
    p.drawText(QPointF(106, 72), QString::fromUtf8("音乐视频社区  ·  唱响你的声音"));
}

void DrawPanel(QPainter& p)
{
    const qreal w = kLoginWidth;
    QPainterPath panel = PanelEdge();
    panel.lineTo(w, kLoginHeight);
    panel.lineTo(0, kLoginHeight);
    panel.closeSubpath();

    // A shadow under the curved edge lifts the panel off the banner.
    p.save();
    p.translate(0, -2);
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(QColor(0x0a, 0x2a, 0x66), 40));
    p.drawPath(panel);
    p.restore();

    QLinearGradient fill(0, 80, 0, kLoginHeight);
    fill.setColorAt(0, kPanelTop);
    fill.setColorAt(1, kPanelBottom);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(panel);

    // The button bar: slightly deeper tone with an embossed separator.
    const QRectF bar(0, kButtonBarTop, w, kLoginHeight - kButtonBarTop);
    QLinearGradient barFill(0, bar.top(), 0, bar.bottom());
    barFill.setColorAt(0, QColor(0xea, 0xf0, 0xf7));
    barFill.setColorAt(1, QColor(0xe1, 0xe9, 0xf3));
    p.fillRect(bar, barFill);
    p.fillRect(QRectF(0, kButtonBarTop, w, 1), QColor(0xd3, 0xde, 0xea));
    p.fillRect(QRectF(0, kButtonBarTop + 1, w, 1), WithAlpha(Qt::white, 200));
}

// The avatar frame left of the number and password rows.
void DrawAvatar(QPainter& p, const QRectF& r)
{
    p.setPen(Qt::NoPen);
    for (int i = 3; i >= 1; --i) {
        p.setBrush(WithAlpha(QColor(0x1a, 0x3a, 0x6a), 10 * (4 - i)));
        p.drawRoundedRect(r.adjusted(-i, -i + 2, i, i + 2), 8 + i, 8 + i);
    }
    p.setBrush(Qt::white);
    p.drawRoundedRect(r, 8, 8);

    const QRectF inner = r.adjusted(3, 3, -3, -3);
    QLinearGradient g(inner.topLeft(), inner.bottomRight());
    g.setColorAt(0, QColor(0xe6, 0xf0, 0xfc));
    g.setColorAt(1, QColor(0xc9, 0xdc, 0xf4));
    p.setBrush(g);
    p.drawRoundedRect(inner, 6, 6);

    p.save();
    QPainterPath clip;
    clip.addRoundedRect(inner, 6, 6);
    p.setClipPath(clip);
    const QColor figure(0x8f, 0xb0, 0xdb);
    p.setBrush(figure);
    const QPointF c = inner.center();
    p.drawEllipse(QPointF(c.x(), c.y() - 6), 11, 11);
    p.drawEllipse(QRectF(c.x() - 21, c.y() + 9, 42, 34));
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xd0, 0xdb, 0xe8), 1));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
}

QImage DrawLogin()
{
    QImage img = NewImage(kLoginWidth, kLoginHeight);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawBanner(p);
    DrawEmblem(p, {56, 46}, 28);
    DrawTitle(p);
    DrawPanel(p);
    DrawAvatar(p, QRectF(28, 113, 64, 64));

    // One hairline frame; darker along the banner so the edge reads on any desktop.
    QLinearGradient edge(0, 0, 0, kLoginHeight);
    edge.setColorAt(0.0, QColor(0x12, 0x45, 0x9e));
    edge.setColorAt(0.30, QColor(0x2a, 0x6c, 0xc8));
    edge.setColorAt(0.34, QColor(0x9a, 0xb0, 0xca));
    edge.setColorAt(1.0, QColor(0x8e, 0xa3, 0xbd));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QBrush(edge), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, kLoginWidth - 1, kLoginHeight - 1);
    return img;
}

enum class ButtonState { Normal, Hover, Pressed };

struct ButtonColors {
    QColor top, bottom, border, topEdge; // topEdge: light on a raised face, shade on a pressed one
};

ButtonColors AccentButton(ButtonState s)
{
    switch (s) {
    case ButtonState::Hover:
        return {QColor(0x5c, 0xab, 0xfb), QColor(0x2f, 0x84, 0xee), QColor(0x1f, 0x69, 0xcf), WithAlpha(Qt::white, 120)};
    case ButtonState::Pressed:
        return {QColor(0x1d, 0x62, 0xc6), QColor(0x25, 0x72, 0xda), QColor(0x15, 0x4f, 0xa8), WithAlpha(Qt::black, 28)};
    case ButtonState::Normal:
        break;
    }
    return {QColor(0x46, 0x9b, 0xf6), QColor(0x24, 0x74, 0xe2), QColor(0x1b, 0x60, 0xc6), WithAlpha(Qt::white, 100)};
}

ButtonColors NeutralButton(ButtonState s)
{
    switch (s) {
    case ButtonState::Hover:
        return {Qt::white, QColor(0xf0, 0xf6, 0xfd), QColor(0x7f, 0xaf, 0xe6), WithAlpha(Qt::white, 255)};
    case ButtonState::Pressed:
        return {QColor(0xe2, 0xe9, 0xf2), QColor(0xed, 0xf2, 0xf8), QColor(0x8e, 0xa2, 0xba), WithAlpha(Qt::black, 28)};
    case ButtonState::Normal:
        break;
    }
    return {Qt::white, QColor(0xed, 0xf1, 0xf6), QColor(0xb4, 0xc2, 0xd3), WithAlpha(Qt::white, 255)};
}

// Rounded button face with a one-pixel shadow underneath; the corners stay inside the
// 6-pixel border-image slices so stretching keeps them round.
QImage DrawButton(const ButtonColors& c, ButtonState state)
{
    const bool pressed = state == ButtonState::Pressed;
    QImage img = NewImage(kButtonWidth, kButtonHeight);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal radius = 4;
    const QRectF face(0.5, 0.5, kButtonWidth - 1, kButtonHeight - 2);

    if (!pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(WithAlpha(QColor(0x1a, 0x3a, 0x6a), 34));
        p.drawRoundedRect(face.translated(0, 1), radius, radius);
    }
    QLinearGradient g(0, face.top(), 0, face.bottom());
    g.setColorAt(0, c.top);
    g.setColorAt(1, c.bottom);
    p.setPen(QPen(c.border, 1));
    p.setBrush(g);
    p.drawRoundedRect(face, radius, radius);

    p.setPen(QPen(c.topEdge, 1));
    p.drawLine(QPointF(face.left() + radius, 1.5), QPointF(face.right() - radius, 1.5));
    return img;
}

QImage DrawCheckMark()
{
    QImage img = NewImage(10, 10);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(1.5, 5.2);
    tick.lineTo(4.0, 7.6);
    tick.lineTo(8.6, 2.2);
    p.drawPath(tick);
    return img;
}

QImage DrawDownArrow(const QColor& color)
{
    QImage img = NewImage(9, 5);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    QPainterPath tri;
    tri.moveTo(0, 0);
    tri.lineTo(9, 0);
    tri.lineTo(4.5, 5);
    tri.closeSubpath();
    p.drawPath(tri);
    return img;
}

} // namespace

// The window and task-bar icon: the banner's emblem on a rounded accent tile.
QImage DrawIcon()
{
    QImage img = NewImage(64, 64);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient tile(0, 0, 0, 64);
    tile.setColorAt(0, kAccentLight);
    tile.setColorAt(1, kAccentDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 14, 14);
    DrawEmblem(p, QPointF(32, 32), 20);
    return img;
}

namespace {

// Gift, seal and emoticon icons are drawn on a 40-unit square and scaled to the picture size.
using IconFn = void (*)(QPainter&);

QImage RenderIcon(IconFn draw, int size)
{
    QImage img = NewImage(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 40.0, size / 40.0);
    draw(p);
    return img;
}

QLinearGradient Vertical(qreal top, qreal bottom, const QColor& a, const QColor& b)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

QPainterPath HeartPath(QPointF c, qreal s)
{
    QPainterPath h;
    h.moveTo(c.x(), c.y() + s * 0.9);
    h.cubicTo(c.x() - s * 1.3, c.y() + s * 0.05, c.x() - s * 0.95, c.y() - s * 1.0, c.x(), c.y() - s * 0.35);
    h.cubicTo(c.x() + s * 0.95, c.y() - s * 1.0, c.x() + s * 1.3, c.y() + s * 0.05, c.x(), c.y() + s * 0.9);
    return h;
}

QPainterPath StarPath(QPointF c, qreal outer, qreal inner)
{
    QPainterPath s;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 ? inner : outer;
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        i ? s.lineTo(pt) : s.moveTo(pt);
    }
    s.closeSubpath();
    return s;
}

void Shine(QPainter& p, const QRectF& r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(Qt::white, 110));
    p.drawEllipse(r);
}

void DrawRose(QPainter& p)
{
    p.setPen(QPen(QColor(0x3c, 0x9a, 0x3a), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 20), QPointF(20, 37));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x52, 0xb8, 0x4a));
    p.drawEllipse(QRectF(21, 26, 9, 5));
    p.drawEllipse(QRectF(11, 29, 9, 5));
    p.setBrush(Vertical(4, 24, QColor(0xff, 0x5c, 0x7a), QColor(0xc8, 0x10, 0x3c)));
    p.drawEllipse(QRectF(9, 5, 22, 19));
    p.setBrush(QColor(0xe0, 0x24, 0x4c));
    p.drawEllipse(QRectF(13, 8, 14, 12));
    p.setPen(QPen(QColor(0x9e, 0x0a, 0x2c), 1.3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(15, 10, 10, 8), 20 * 16, 250 * 16);
    p.drawArc(QRectF(17.5, 12, 5, 4), 200 * 16, 250 * 16);
}

void DrawCake(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf1, 0xe4, 0xd0));
    p.drawEllipse(QRectF(4, 32, 32, 6));
    p.setBrush(Vertical(20, 35, QColor(0xff, 0xb3, 0xc7), QColor(0xf0, 0x7a, 0x9c)));
    p.drawRoundedRect(QRectF(7, 20, 26, 15), 3, 3);
    p.setBrush(Qt::white);
    QPainterPath icing;
    icing.moveTo(7, 21);
    for (int i = 0; i < 4; ++i)
        icing.quadTo(10.25 + i * 6.5, 28, 13.5 + i * 6.5, 21);
    icing.lineTo(7, 21);
    p.drawPath(icing);
    p.drawRoundedRect(QRectF(7, 19, 26, 4), 2, 2);
    for (qreal x : {13.0, 20.0, 27.0}) {
        p.setBrush(QColor(0x5a, 0xa9, 0xf2));
        p.drawRoundedRect(QRectF(x - 1.2, 10, 2.4, 9), 1, 1);
        p.setBrush(QColor(0xff, 0xb3, 0x1f));
        QPainterPath flame;
        flame.moveTo(x, 4);
        flame.quadTo(x + 2.6, 8, x, 9.5);
        flame.quadTo(x - 2.6, 8, x, 4);
        p.drawPath(flame);
    }
    p.setBrush(QColor(0xe0, 0x24, 0x4c));
    for (qreal x : {11.0, 20.0, 29.0})
        p.drawEllipse(QPointF(x, 29), 1.6, 1.6);
}

void DrawCar(QPainter& p)
{
    p.setPen(Qt::NoPen);
    QPainterPath body;
    body.moveTo(3, 27);
    body.lineTo(3, 22);
    body.quadTo(4, 19, 9, 18.5);
    body.lineTo(13, 12.5);
    body.quadTo(15, 11, 19, 11);
    body.lineTo(26, 11);
    body.quadTo(29, 11, 31, 14);
    body.lineTo(34, 18.5);
    body.quadTo(37.5, 19.5, 37.5, 23);
    body.lineTo(37.5, 27);
    body.closeSubpath();
    p.setBrush(Vertical(11, 28, QColor(0xff, 0x4b, 0x3a), QColor(0xc4, 0x16, 0x16)));
    p.drawPath(body);
    p.setBrush(QColor(0xbf, 0xe4, 0xff));
    QPainterPath glass;
    glass.moveTo(11.5, 18.5);
    glass.lineTo(14.8, 13.6);
    glass.lineTo(21, 13.6);
    glass.lineTo(21, 18.5);
    glass.closeSubpath();
    glass.moveTo(23, 18.5);
    glass.lineTo(23, 13.6);
    glass.lineTo(27, 13.6);
    glass.lineTo(31, 18.5);
    glass.closeSubpath();
    p.drawPath(glass);
    p.setBrush(QColor(0xff, 0xe0, 0x66));
    p.drawEllipse(QRectF(33.5, 20.5, 3.5, 2.5));
    for (qreal x : {11.0, 29.5}) {
        p.setBrush(QColor(0x2d, 0x2d, 0x35));
        p.drawEllipse(QPointF(x, 27.5), 5, 5);
        p.setBrush(QColor(0xc9, 0xcf, 0xd8));
        p.drawEllipse(QPointF(x, 27.5), 2.3, 2.3);
    }
}

void DrawHeart(QPainter& p)
{
    p.setPen(Qt::NoPen);
    QRadialGradient g(QPointF(15, 13), 24);
    g.setColorAt(0, QColor(0xff, 0x7a, 0x95));
    g.setColorAt(1, QColor(0xd6, 0x0f, 0x3f));
    p.setBrush(g);
    p.drawPath(HeartPath(QPointF(20, 20), 17));
    Shine(p, QRectF(9, 10, 7, 5));
}

void DrawStar(QPainter& p)
{
    p.setPen(QPen(QColor(0xe0, 0x8a, 0x00), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Vertical(3, 36, QColor(0xff, 0xe8, 0x5c), QColor(0xff, 0xae, 0x12)));
    p.drawPath(StarPath(QPointF(20, 21), 17, 7.5));
    Shine(p, QRectF(16, 10, 5, 4));
}

void DrawRing(QPainter& p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(Vertical(14, 38, QColor(0xff, 0xe0, 0x7a), QColor(0xd4, 0x9a, 0x1c))), 3.4));
    p.drawEllipse(QPointF(20, 26), 10.5, 10.5);
    p.setPen(QPen(QColor(0x5b, 0x9c, 0xd6), 1));
    QPainterPath gem;
    gem.moveTo(13, 9);
    gem.lineTo(16, 5);
    gem.lineTo(24, 5);
    gem.lineTo(27, 9);
    gem.lineTo(20, 17);
    gem.closeSubpath();
    p.setBrush(Vertical(5, 17, QColor(0xe6, 0xf7, 0xff), QColor(0x7c, 0xc8, 0xf5)));
    p.drawPath(gem);
    p.drawLine(QPointF(13, 9), QPointF(27, 9));
    Shine(p, QRectF(17, 6, 4, 2.5));
}

void DrawLollipop(QPainter& p)
{
    p.setPen(QPen(QColor(0xf4, 0xe9, 0xd8), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 22), QPointF(20, 38));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x6f, 0xb1));
    p.drawEllipse(QPointF(20, 14), 12, 12);
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath swirl;
    swirl.moveTo(20, 14);
    for (int i = 1; i <= 40; ++i) {
        const qreal a = i * 0.42;
        const qreal r = i * 0.24;
        swirl.lineTo(20 + r * std::cos(a), 14 + r * std::sin(a));
    }
    p.drawPath(swirl);
}

void DrawCrown(QPainter& p)
{
    p.setPen(Qt::NoPen);
    QPainterPath crown;
    crown.moveTo(5, 30);
    crown.lineTo(4, 12);
    crown.lineTo(13, 20);
    crown.lineTo(20, 7);
    crown.lineTo(27, 20);
    crown.lineTo(36, 12);
    crown.lineTo(35, 30);
    crown.closeSubpath();
    p.setBrush(Vertical(7, 30, QColor(0xff, 0xe2, 0x5a), QColor(0xf0, 0xa2, 0x0c)));
    p.drawPath(crown);
    p.setBrush(QColor(0xe8, 0x9a, 0x0a));
    p.drawRoundedRect(QRectF(5, 29, 30, 5), 1.5, 1.5);
    p.setBrush(QColor(0xe0, 0x24, 0x4c));
    p.drawEllipse(QPointF(20, 24), 2.6, 2.6);
    p.setBrush(QColor(0x2f, 0x8c, 0xf0));
    p.drawEllipse(QPointF(11.5, 25), 1.8, 1.8);
    p.drawEllipse(QPointF(28.5, 25), 1.8, 1.8);
    p.setBrush(Qt::white);
    for (QPointF pt : {QPointF(4, 12), QPointF(20, 7), QPointF(36, 12)})
        p.drawEllipse(pt, 2, 2);
}

void DrawFireworks(QPainter& p)
{
    const QColor colors[] = {QColor(0xff, 0x4d, 0x6d), QColor(0xff, 0xc1, 0x2b), QColor(0x3d, 0xc2, 0xff),
                             QColor(0x7c, 0xe0, 0x5a)};
    const struct { QPointF c; qreal r; int color; } bursts[] = {
        {{15, 15}, 11, 0}, {{28, 12}, 8, 1}, {{27, 27}, 9, 2}, {{11, 30}, 6, 3}};
    for (const auto& b : bursts) {
        p.setPen(QPen(colors[b.color], 1.6, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 12; ++i) {
            const qreal a = i * M_PI / 6;
            p.drawLine(QPointF(b.c.x() + b.r * 0.35 * std::cos(a), b.c.y() + b.r * 0.35 * std::sin(a)),
                       QPointF(b.c.x() + b.r * std::cos(a), b.c.y() + b.r * std::sin(a)));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(colors[b.color]);
        p.drawEllipse(b.c, 1.6, 1.6);
    }
}

void DrawClover(QPainter& p)
{
    p.setPen(QPen(QColor(0x2f, 0x8a, 0x34), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath stem;
    stem.moveTo(20, 21);
    stem.quadTo(22, 31, 28, 37);
    p.drawPath(stem);
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(4, 34, QColor(0x6b, 0xd6, 0x5a), QColor(0x2a, 0x9a, 0x3a)));
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(20, 20);
        p.rotate(45 + i * 90);
        p.drawPath(HeartPath(QPointF(0, -8), 7.5));
        p.restore();
    }
    p.setBrush(QColor(0xff, 0xe0, 0x4a));
    p.drawEllipse(QPointF(20, 20), 2, 2);
}

void DrawCastle(QPainter& p)
{
    p.setPen(Qt::NoPen);
    const QBrush stone = Vertical(8, 36, QColor(0xc9, 0xd3, 0xe0), QColor(0x8d, 0x9c, 0xb2));
    p.setBrush(stone);
    p.drawRect(QRectF(6, 16, 28, 20));
    p.drawRect(QRectF(3, 10, 9, 26));
    p.drawRect(QRectF(28, 10, 9, 26));
    for (qreal x : {3.0, 8.0, 28.0, 33.0})
        p.drawRect(QRectF(x, 7, 4, 4));
    p.setBrush(QColor(0x5a, 0x3b, 0x22));
    QPainterPath gate;
    gate.moveTo(16, 36);
    gate.lineTo(16, 28);
    gate.arcTo(QRectF(16, 24, 8, 8), 180, -180);
    gate.lineTo(24, 36);
    gate.closeSubpath();
    p.drawPath(gate);
    p.setPen(QPen(QColor(0x6b, 0x4a, 0x2a), 1.2));
    p.drawLine(QPointF(20, 16), QPointF(20, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe0, 0x24, 0x4c));
    QPainterPath flag;
    flag.moveTo(20.5, 3);
    flag.lineTo(28, 5.5);
    flag.lineTo(20.5, 8);
    flag.closeSubpath();
    p.drawPath(flag);
}

void DrawGiftMicrophone(QPainter& p)
{
    QLinearGradient body(0, -17, 0, 5);
    body.setColorAt(0, QColor(0xc9, 0x8b, 0xff));
    body.setColorAt(1, QColor(0x7a, 0x3c, 0xd8));
    DrawMicrophone(p, QPointF(20, 22), 1.15, body, QColor(0x5b, 0x2a, 0xa8));
}

// Seals.
void DrawLips(QPainter& p)
{
    p.setPen(Qt::NoPen);
    QPainterPath upper;
    upper.moveTo(4, 21);
    upper.cubicTo(9, 10, 15, 11, 20, 15);
    upper.cubicTo(25, 11, 31, 10, 36, 21);
    upper.quadTo(20, 19, 4, 21);
    QPainterPath lower;
    lower.moveTo(4, 21);
    lower.quadTo(20, 23, 36, 21);
    lower.cubicTo(31, 32, 9, 32, 4, 21);
    p.setBrush(Vertical(10, 31, QColor(0xf0, 0x2b, 0x4f), QColor(0xb8, 0x0b, 0x2f)));
    p.drawPath(upper);
    p.drawPath(lower);
    Shine(p, QRectF(15, 24, 8, 3));
}

void DrawPig(QPainter& p)
{
    p.setPen(Qt::NoPen);
    const QColor pink(0xff, 0xb0, 0xc4), deep(0xf0, 0x7f, 0x9f);
    p.setBrush(deep);
    for (int side : {-1, 1}) {
        QPainterPath ear;
        ear.moveTo(20 + side * 7, 9);
        ear.lineTo(20 + side * 15, 4);
        ear.lineTo(20 + side * 14, 15);
        ear.closeSubpath();
        p.drawPath(ear);
    }
    p.setBrush(pink);
    p.drawEllipse(QPointF(20, 22), 15, 14);
    p.setBrush(deep);
    p.drawEllipse(QRectF(13, 22, 14, 9));
    p.setBrush(QColor(0xa8, 0x3a, 0x5a));
    p.drawEllipse(QPointF(17.3, 26.5), 1.6, 2);
    p.drawEllipse(QPointF(22.7, 26.5), 1.6, 2);
    p.setBrush(QColor(0x33, 0x22, 0x2a));
    p.drawEllipse(QPointF(14, 17), 1.8, 1.8);
    p.drawEllipse(QPointF(26, 17), 1.8, 1.8);
}

void DrawMedal(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x6f, 0xe0));
    QPainterPath ribbon;
    ribbon.moveTo(11, 2);
    ribbon.lineTo(18, 2);
    ribbon.lineTo(22, 16);
    ribbon.lineTo(15, 16);
    ribbon.closeSubpath();
    p.drawPath(ribbon);
    p.setBrush(QColor(0xe0, 0x24, 0x4c));
    p.drawPath(QTransform().translate(40, 0).scale(-1, 1).map(ribbon));
    p.setBrush(Vertical(13, 37, QColor(0xff, 0xdf, 0x5c), QColor(0xe8, 0x96, 0x0c)));
    p.drawEllipse(QPointF(20, 25), 12, 12);
    p.setBrush(QColor(0xff, 0xf3, 0xb0));
    p.drawPath(StarPath(QPointF(20, 25.5), 7, 3));
}

void DrawMoon(QPainter& p)
{
    p.setPen(Qt::NoPen);
    QPainterPath disc;
    disc.addEllipse(QPointF(19, 20), 15, 15);
    QPainterPath bite;
    bite.addEllipse(QPointF(27, 15), 13, 13);
    p.setBrush(Vertical(5, 35, QColor(0xff, 0xe9, 0x7a), QColor(0xf5, 0xb8, 0x1c)));
    p.drawPath(disc.subtracted(bite));
    p.setBrush(QColor(0xff, 0xd0, 0x3a));
    p.drawPath(StarPath(QPointF(31, 29), 4.5, 1.9));
    p.drawPath(StarPath(QPointF(33, 7), 3, 1.3));
}

void DrawSeal(QPainter& p, const QColor& color, const QString& glyph)
{
    p.setPen(QPen(color, 2.2));
    p.setBrush(WithAlpha(color, 30));
    p.drawRoundedRect(QRectF(4, 4, 32, 32), 6, 6);
    p.setPen(color);
    p.setFont(UiFont(22, QFont::Bold));
    p.drawText(QRectF(4, 3, 32, 32), Qt::AlignCenter, glyph);
}

void DrawGoodSeal(QPainter& p) { DrawSeal(p, QColor(0x2a, 0x9a, 0x3a), QString::fromUtf8("赞")); }
void DrawKingSeal(QPainter& p) { DrawSeal(p, QColor(0xd6, 0x1a, 0x3c), QString::fromUtf8("霸")); }

// Emoticons: one round face, with eyes, mouth and extras chosen per face.
enum class Eyes { Dots, Happy, Wink, Hearts, Stars, Shades, Closed, Wide, Angry, Dizzy };
enum class Mouth { Smile, Grin, Laugh, Tongue, Open, Sad, Flat, Kiss, Wavy, Frown };
enum Extra { None = 0, Blush = 1, Tears = 2, Sweat = 4, Halo = 8, Horns = 16, Zzz = 32, RedFace = 64, GreenFace = 128 };

struct Face {
    const char* name;  // the picture files are named after the id, which is derived from this
    Eyes eyes;
    Mouth mouth;
    int extras;
};

const Face kFaces[] = {
    {"smile", Eyes::Dots, Mouth::Smile, None},           {"grin", Eyes::Happy, Mouth::Grin, None},
    {"laugh", Eyes::Happy, Mouth::Laugh, Tears},         {"wink", Eyes::Wink, Mouth::Smile, None},
    {"tongue", Eyes::Dots, Mouth::Tongue, None},         {"love", Eyes::Hearts, Mouth::Smile, Blush},
    {"cool", Eyes::Shades, Mouth::Smile, None},          {"surprised", Eyes::Wide, Mouth::Open, None},
    {"sad", Eyes::Dots, Mouth::Sad, None},               {"cry", Eyes::Closed, Mouth::Sad, Tears},
    {"angry", Eyes::Angry, Mouth::Frown, RedFace},       {"sleepy", Eyes::Closed, Mouth::Flat, Zzz},
    {"kiss", Eyes::Closed, Mouth::Kiss, Blush},          {"shy", Eyes::Happy, Mouth::Smile, Blush},
    {"confused", Eyes::Dots, Mouth::Wavy, None},         {"dizzy", Eyes::Dizzy, Mouth::Open, None},
    {"sweat", Eyes::Happy, Mouth::Grin, Sweat},          {"shock", Eyes::Wide, Mouth::Laugh, Sweat},
    {"devil", Eyes::Angry, Mouth::Grin, Horns | RedFace}, {"angel", Eyes::Happy, Mouth::Smile, Halo},
    {"sick", Eyes::Closed, Mouth::Wavy, GreenFace},      {"starstruck", Eyes::Stars, Mouth::Laugh, None},
    {"speechless", Eyes::Dots, Mouth::Flat, Sweat},      {"giggle", Eyes::Wink, Mouth::Tongue, Blush},
};

QString FaceId(const Face& f)
{
    return QCryptographicHash::hash(QByteArray("vlkchat-face-") + f.name, QCryptographicHash::Md5).toHex().toUpper();
}

void DrawEyes(QPainter& p, Eyes eyes)
{
    const QColor ink(0x4a, 0x2c, 0x12);
    const QPen stroke(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    for (int side : {-1, 1}) {
        const QPointF c(20 + side * 6.5, 16);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        switch (eyes) {
        case Eyes::Dots: p.drawEllipse(c, 2, 2.8); break;
        case Eyes::Happy:
            p.setPen(stroke);
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(c.x() - 3, c.y() - 1.5, 6, 5), 0, 180 * 16);
            break;
        case Eyes::Wink:
            if (side < 0) {
                p.drawEllipse(c, 2, 2.8);
            } else {
                p.setPen(stroke);
                p.drawLine(QPointF(c.x() - 3, c.y()), QPointF(c.x() + 3, c.y()));
            }
            break;
        case Eyes::Hearts:
            p.setBrush(QColor(0xe8, 0x1c, 0x4c));
            p.drawPath(HeartPath(c, 4.2));
            break;
        case Eyes::Stars:
            p.setBrush(QColor(0xff, 0x9f, 0x0a));
            p.drawPath(StarPath(c, 4.6, 2));
            break;
        case Eyes::Shades:
            p.setBrush(QColor(0x1e, 0x22, 0x2c));
            p.drawRoundedRect(QRectF(c.x() - 5, c.y() - 3.5, 10, 7), 3, 3);
            p.setPen(QPen(QColor(0x1e, 0x22, 0x2c), 1.6));
            p.drawLine(QPointF(17, 15), QPointF(23, 15));
            break;
        case Eyes::Closed:
            p.setPen(stroke);
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(c.x() - 3, c.y() - 3, 6, 5), 180 * 16, 180 * 16);
            break;
        case Eyes::Wide:
            p.setBrush(Qt::white);
            p.setPen(QPen(ink, 1.2));
            p.drawEllipse(c, 3.6, 4.2);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawEllipse(c, 1.6, 1.8);
            break;
        case Eyes::Angry:
            p.drawEllipse(c + QPointF(0, 1), 2, 2.4);
            p.setPen(stroke);
            p.drawLine(QPointF(c.x() + side * 4, c.y() - 5), QPointF(c.x() - side * 2.5, c.y() - 2));
            break;
        case Eyes::Dizzy:
            p.setPen(stroke);
            p.drawLine(c + QPointF(-2.5, -2.5), c + QPointF(2.5, 2.5));
            p.drawLine(c + QPointF(-2.5, 2.5), c + QPointF(2.5, -2.5));
            break;
        }
    }
}

void DrawMouth(QPainter& p, Mouth mouth)
{
    const QColor ink(0x4a, 0x2c, 0x12);
    const QPen stroke(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(stroke);
    p.setBrush(Qt::NoBrush);
    switch (mouth) {
    case Mouth::Smile: p.drawArc(QRectF(12, 16, 16, 11), 200 * 16, 140 * 16); break;
    case Mouth::Grin:
    case Mouth::Laugh: {
        QPainterPath m;
        const qreal depth = mouth == Mouth::Laugh ? 33 : 30;
        m.moveTo(11.5, 23);
        m.quadTo(20, 24.5, 28.5, 23);
        m.quadTo(26, depth, 20, depth);
        m.quadTo(14, depth, 11.5, 23);
        p.setPen(QPen(ink, 1.4));
        p.setBrush(QColor(0x8a, 0x1c, 0x22));
        p.drawPath(m);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(13.5, 23.4, 13, 2.2));
        if (mouth == Mouth::Laugh) {
            p.setBrush(QColor(0xff, 0x6f, 0x7d));
            p.drawEllipse(QRectF(16, 28, 8, 4));
        }
        break;
    }
    case Mouth::Tongue:
        p.drawArc(QRectF(12, 16, 16, 11), 200 * 16, 140 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0x5c, 0x72));
        p.drawRoundedRect(QRectF(17.5, 25, 7, 7), 3.5, 3.5);
        break;
    case Mouth::Open:
        p.setBrush(QColor(0x8a, 0x1c, 0x22));
        p.drawEllipse(QPointF(20, 27), 3.6, 4.2);
        break;
    case Mouth::Sad: p.drawArc(QRectF(13, 25, 14, 9), 20 * 16, 140 * 16); break;
    case Mouth::Flat: p.drawLine(QPointF(14, 27), QPointF(26, 27)); break;
    case Mouth::Kiss:
        p.setPen(QPen(QColor(0xd6, 0x1a, 0x3c), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(17, 22, 5, 4), -90 * 16, 180 * 16);
        p.drawArc(QRectF(17, 26, 5, 4), -90 * 16, 180 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe8, 0x1c, 0x4c));
        p.drawPath(HeartPath(QPointF(31, 24), 3.5));
        break;
    case Mouth::Wavy: {
        QPainterPath w;
        w.moveTo(13, 27);
        w.cubicTo(15.5, 24, 17.5, 24, 20, 27);
        w.cubicTo(22.5, 30, 24.5, 30, 27, 27);
        p.drawPath(w);
        break;
    }
    case Mouth::Frown:
        p.setBrush(QColor(0x8a, 0x1c, 0x22));
        p.drawChord(QRectF(13, 25, 14, 10), 0, 180 * 16);
        break;
    }
}

void DrawFace(QPainter& p, const Face& f)
{
    p.setPen(Qt::NoPen);
    if (f.extras & Halo) {
        p.setPen(QPen(QColor(0xff, 0xd2, 0x3a), 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(10, 0.8, 20, 5));
        p.setPen(Qt::NoPen);
    }
    if (f.extras & Horns) {
        p.setBrush(QColor(0xb0, 0x12, 0x2a));
        for (int side : {-1, 1}) {
            QPainterPath horn;
            horn.moveTo(20 + side * 6, 7);
            horn.quadTo(20 + side * 14, 5, 20 + side * 14, -1);
            horn.quadTo(20 + side * 16, 7, 20 + side * 12, 11);
            horn.closeSubpath();
            p.drawPath(horn);
        }
    }
    QColor top(0xff, 0xe2, 0x5a), bottom(0xf8, 0xb0, 0x1c);
    if (f.extras & RedFace) {
        top = QColor(0xff, 0x8a, 0x5c);
        bottom = QColor(0xe8, 0x3a, 0x2a);
    } else if (f.extras & GreenFace) {
        top = QColor(0xd6, 0xf0, 0x8a);
        bottom = QColor(0x8c, 0xc8, 0x4a);
    }
    QRadialGradient skin(QPointF(15, 12), 26);
    skin.setColorAt(0, top);
    skin.setColorAt(1, bottom);
    p.setBrush(skin);
    p.setPen(QPen(bottom.darker(125), 1));
    p.drawEllipse(QPointF(20, 21), 17, 17);
    if (f.extras & Blush) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0x6f, 0x8a, 140));
        p.drawEllipse(QPointF(10, 23), 3.5, 2.2);
        p.drawEllipse(QPointF(30, 23), 3.5, 2.2);
    }
    DrawEyes(p, f.eyes);
    DrawMouth(p, f.mouth);
    p.setPen(Qt::NoPen);
    if (f.extras & Tears) {
        p.setBrush(QColor(0x4f, 0xb4, 0xf7));
        p.drawEllipse(QRectF(8.5, 19, 4, 7));
        p.drawEllipse(QRectF(27.5, 19, 4, 7));
    }
    if (f.extras & Sweat) {
        p.setBrush(QColor(0x6c, 0xc4, 0xff));
        QPainterPath drop;
        drop.moveTo(33, 5);
        drop.quadTo(37.5, 11, 33, 13);
        drop.quadTo(28.5, 11, 33, 5);
        p.drawPath(drop);
    }
    if (f.extras & Zzz) {
        p.setPen(QColor(0x2f, 0x6f, 0xe0));
        p.setFont(UiFont(9, QFont::Bold));
        p.drawText(QPointF(30, 8), "z");
        p.setFont(UiFont(7, QFont::Bold));
        p.drawText(QPointF(35, 3.5), "z");
    }
}

QImage RenderFace(const Face& f, int size)
{
    QImage img = NewImage(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 40.0, size / 40.0);
    DrawFace(p, f);
    return img;
}

// The picker's still picture: a bitmap whose bottom-left pixel names the transparent colour, so
// the face sits on magenta, which no face uses.
QImage StillFace(const Face& f)
{
    const QImage face = RenderFace(f, 20);
    QImage img(20, 20, QImage::Format_RGB32);
    // Edge pixels are either face or key colour, never a magenta blend.
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const QColor c = face.pixelColor(x, y);
            img.setPixelColor(x, y, c.alpha() < 96 ? QColor(0xff, 0x00, 0xff) : QColor(c.red(), c.green(), c.blue()));
        }
    return img;
}

bool DrawCataloguePictures(const QString& out)
{
    const struct { const char* file; IconFn draw; } gifts[] = {
        {"rose", DrawRose},   {"cake", DrawCake},         {"car", DrawCar},         {"heart", DrawHeart},
        {"star", DrawStar},   {"ring", DrawRing},         {"lollipop", DrawLollipop}, {"crown", DrawCrown},
        {"fireworks", DrawFireworks}, {"clover", DrawClover}, {"castle", DrawCastle}, {"microphone", DrawGiftMicrophone},
    };
    bool ok = true;
    for (const auto& g : gifts) {
        ok &= Save(RenderIcon(g.draw, 40), out, QString("Picture/Gift/%1.png").arg(g.file));
        ok &= Save(RenderIcon(g.draw, 24), out, QString("Picture/Gift/%1_s.png").arg(g.file));
    }
    const struct { const char* file; IconFn draw; } seals[] = {
        {"lips", DrawLips}, {"pig", DrawPig}, {"medal", DrawMedal},
        {"moon", DrawMoon}, {"good", DrawGoodSeal}, {"king", DrawKingSeal},
    };
    for (const auto& s : seals) {
        ok &= Save(RenderIcon(s.draw, 40), out, QString("Picture/Seal/%1.png").arg(s.file));
        ok &= Save(RenderIcon(s.draw, 16), out, QString("Picture/Seal/%1_s.png").arg(s.file));
    }
    for (const auto& f : kFaces) {
        const QString id = FaceId(f);
        ok &= Save(RenderFace(f, 24), out, QString("Picture/Emotion/%1.png").arg(id));
        ok &= SaveAs(StillFace(f), out, QString("Picture/Emotion/Fixed/%1.bmp").arg(id), "BMP");
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: drawpictures OUTDIR\n");
        return 2;
    }
    const QString out = args.at(1);

    bool ok = Save(DrawLogin(), out, "Picture/Login.png");
    ok &= Save(DrawIcon(), out, "Picture/vlkchat.png");

    const struct { const char* name; ButtonState state; } states[] = {
        {"normal", ButtonState::Normal}, {"hover", ButtonState::Hover}, {"pressed", ButtonState::Pressed}};
    for (const auto& s : states) {
        const QString suffix = QString("_%1.png").arg(s.name);
        ok &= Save(DrawButton(AccentButton(s.state), s.state), out, "Picture/Login/btnLogin" + suffix);
        ok &= Save(DrawButton(NeutralButton(s.state), s.state), out, "Picture/Login/btnCancel" + suffix);
        ok &= Save(DrawButton(NeutralButton(s.state), s.state), out, "Picture/Login/btnTourist" + suffix);
    }

    ok &= Save(DrawCheckMark(), out, "Picture/Skin/check.png");
    ok &= Save(DrawDownArrow(QColor(0x5a, 0x6b, 0x7f)), out, "Picture/Skin/arrow_down.png");
    ok &= Save(DrawDownArrow(QColor(0xb4, 0xbf, 0xcc)), out, "Picture/Skin/arrow_down_light.png");
    ok &= DrawCataloguePictures(out);
    ok &= DrawHallPictures(out);
    ok &= DrawDialogPictures(out);
    ok &= DrawUserPictures(out);
    ok &= DrawRoomPictures(out);
    return ok ? 0 : 1;
}
