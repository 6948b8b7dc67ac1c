#include "HallPictures.h"

#include "PictureKit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>

using namespace pictures;

namespace {

constexpr int kCaptionHeight = 46;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

void DrawNoteGlyph(QPainter& p, QPointF head, qreal size, const QColor& color)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.translate(head);
    p.rotate(-20);
    p.drawEllipse(QRectF(-size * 0.62, -size * 0.42, size * 1.24, size * 0.84));
    p.restore();
    p.setPen(QPen(color, size * 0.16, Qt::SolidLine, Qt::RoundCap));
    const QPointF top(head.x() + size * 0.55, head.y() - size * 2.3);
    p.drawLine(QPointF(head.x() + size * 0.55, head.y() - size * 0.1), top);
    QPainterPath flag(top);
    flag.cubicTo(top + QPointF(size * 0.2, size * 0.7), top + QPointF(size * 1.1, size * 0.7), top + QPointF(size * 0.8, size * 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(flag);
}

QImage DrawLogo()
{
    QImage img = NewImage(215, kCaptionHeight);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A rounded badge with a note, then the name.
    const QRectF badge(12, 7, 32, 32);
    QLinearGradient fill(badge.topLeft(), badge.bottomLeft());
    fill.setColorAt(0, QColor(0xff, 0xc8, 0x57));
    fill.setColorAt(1, QColor(0xf0, 0x8a, 0x24));
    p.setPen(QPen(WithAlpha(Qt::white, 200), 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(badge, 8, 8);
    DrawNoteGlyph(p, {24, 31}, 6.5, Qt::white);

    p.setPen(Qt::white);
    p.setFont(UiFont(20, QFont::Bold));
    p.drawText(QRectF(52, 4, 160, 24), Qt::AlignLeft | Qt::AlignVCenter, "vlkchat");
    p.setPen(WithAlpha(Qt::white, 205));
    p.setFont(UiFont(11, QFont::Normal));
    p.drawText(QRectF(53, 26, 160, 16), Qt::AlignLeft | Qt::AlignVCenter, "音乐视频社区");
    return img;
}

QImage DrawCaptionBackground()
{
    // Soft light waves and a few notes; transparent so the strip's colour shows through.
    QImage img = NewImage(500, kCaptionHeight);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 3; ++i) {
        QPainterPath wave;
        const qreal base = 30 + i * 5;
        wave.moveTo(0, base);
        for (int x = 0; x <= 500; x += 10)
            wave.lineTo(x, base + 6 * std::sin((x + i * 60) / 55.0));
        QLinearGradient pen(0, 0, 500, 0);
        pen.setColorAt(0, WithAlpha(Qt::white, 0));
        pen.setColorAt(0.5, WithAlpha(Qt::white, 60 - i * 15));
        pen.setColorAt(1, WithAlpha(Qt::white, 0));
        p.setPen(QPen(QBrush(pen), 1.4));
        p.drawPath(wave);
    }
    DrawNoteGlyph(p, {150, 26}, 5, WithAlpha(Qt::white, 60));
    DrawNoteGlyph(p, {290, 20}, 4, WithAlpha(Qt::white, 45));
    DrawNoteGlyph(p, {400, 28}, 5.5, WithAlpha(Qt::white, 55));
    return img;
}

QImage DrawHallIcon()
{
    QImage img = NewImage(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath house;
    house.moveTo(8, 1.5);
    house.lineTo(15, 8);
    house.lineTo(13, 8);
    house.lineTo(13, 14.5);
    house.lineTo(3, 14.5);
    house.lineTo(3, 8);
    house.lineTo(1, 8);
    house.closeSubpath();
    p.setPen(QPen(kAccentDeep, 1));
    p.setBrush(kAccent);
    p.drawPath(house);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6.5, 9.5, 3, 5), 0.8, 0.8);
    return img;
}

QImage DrawRoomIcon()
{
    QImage img = NewImage(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 1, 0, 10);
    body.setColorAt(0, QColor(0xff, 0x9e, 0x5e));
    body.setColorAt(1, QColor(0xe0, 0x5a, 0x2b));
    p.setPen(QPen(QColor(0xa8, 0x3f, 0x1c), 0.9));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(5, 1, 6, 9.5), 3, 3);
    p.setPen(QPen(QColor(0x55, 0x5f, 0x70), 1.3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 3.5, 10, 9), 200 * 16, 140 * 16);
    p.drawLine(QPointF(8, 12.5), QPointF(8, 14.5));
    p.drawLine(QPointF(5.5, 14.8), QPointF(10.5, 14.8));
    return img;
}

enum class Press { Normal, Hover, Pressed };

using Glyph = std::function<void(QPainter&, const QRectF&, const QColor&)>;

QImage DrawCaptionButton(const Glyph& glyph, const QString& text, Press state, bool danger)
{
    QImage img = NewImage(kButtonWidth, kButtonHeight);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face(0.5, 0.5, kButtonWidth - 1, kButtonHeight - 1);
    if (state != Press::Normal) {
        const QColor fill = danger ? QColor(0xe0, 0x43, 0x3a) : Qt::white;
        const int alpha = danger ? (state == Press::Hover ? 230 : 255) : (state == Press::Hover ? 45 : 25);
        p.setPen(QPen(WithAlpha(Qt::white, state == Press::Hover ? 70 : 40), 1));
        p.setBrush(WithAlpha(fill, alpha));
        p.drawRoundedRect(face.adjusted(1, 1, -1, -1), 4, 4);
    }
    const QColor ink = state == Press::Pressed ? WithAlpha(Qt::white, 210) : Qt::white;
    const qreal shift = state == Press::Pressed ? 0.6 : 0;
    glyph(p, QRectF(9 + shift, 6.5 + shift, 12, 12), ink);
    p.setPen(ink);
    p.setFont(UiFont(12, QFont::Normal));
    p.drawText(QRectF(25 + shift, shift, kButtonWidth - 28, kButtonHeight), Qt::AlignLeft | Qt::AlignVCenter, text);
    return img;
}

void GlyphClose(QPainter& p, const QRectF& r, const QColor& c)
{
    p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.topLeft() + QPointF(2, 2), r.bottomRight() - QPointF(2, 2));
    p.drawLine(r.topRight() + QPointF(-2, 2), r.bottomLeft() + QPointF(2, -2));
}

void GlyphMax(QPainter& p, const QRectF& r, const QColor& c)
{
    p.setPen(QPen(c, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(1.5, 1.5, -1.5, -1.5));
    p.drawLine(QPointF(r.left() + 1.5, r.top() + 3.5), QPointF(r.right() - 1.5, r.top() + 3.5));
}

void GlyphMin(QPainter& p, const QRectF& r, const QColor& c)
{
    p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.left() + 2, r.bottom() - 3), QPointF(r.right() - 2, r.bottom() - 3));
}

void GlyphStar(QPainter& p, const QRectF& r, const QColor& c)
{
    QPainterPath star;
    const QPointF centre = r.center();
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? 2.6 : 6;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        i ? star.lineTo(point) : star.moveTo(point);
    }
    star.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(star);
}

void GlyphSkin(QPainter& p, const QRectF& r, const QColor& c)
{
    // A T-shirt.
    QPainterPath shirt;
    const qreal l = r.left(), t = r.top();
    shirt.moveTo(l + 4, t + 0.5);
    shirt.lineTo(l + 8, t + 0.5);
    shirt.lineTo(l + 12, t + 3);
    shirt.lineTo(l + 10.5, t + 6);
    shirt.lineTo(l + 9.5, t + 5.3);
    shirt.lineTo(l + 9.5, t + 12);
    shirt.lineTo(l + 2.5, t + 12);
    shirt.lineTo(l + 2.5, t + 5.3);
    shirt.lineTo(l + 1.5, t + 6);
    shirt.lineTo(l, t + 3);
    shirt.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(shirt);
}

void GlyphLayout(QPainter& p, const QRectF& r, const QColor& c)
{
    p.setPen(QPen(c, 1.3));
    p.setBrush(Qt::NoBrush);
    const QRectF box = r.adjusted(0.5, 1, -0.5, -1);
    p.drawRoundedRect(box, 1.5, 1.5);
    p.drawLine(QPointF(box.left() + box.width() * 0.42, box.top()), QPointF(box.left() + box.width() * 0.42, box.bottom()));
    p.drawLine(QPointF(box.left() + box.width() * 0.42, box.center().y()), QPointF(box.right(), box.center().y()));
}

} // namespace

bool DrawHallPictures(const QString& out)
{
    bool ok = Save(DrawLogo(), out, "Picture/Logo.png");
    ok &= Save(DrawCaptionBackground(), out, "Picture/Hall/CaptionBG.png");
    ok &= Save(DrawHallIcon(), out, "Picture/Hall/Hall.png");
    ok &= Save(DrawRoomIcon(), out, "Picture/Hall/Room.png");

    const struct {
        const char* name;
        Glyph glyph;
        const char* text;
        bool danger;
    } buttons[] = {
        {"btnClose", GlyphClose, "关闭", true},     {"btnMax", GlyphMax, "最大化", false},
        {"btnMin", GlyphMin, "最小化", false},      {"btnCollect", GlyphStar, "收藏", false},
        {"btnSkin", GlyphSkin, "换肤", false},      {"btnLayout", GlyphLayout, "布局", false},
    };
    const struct { const char* suffix; Press state; } states[] = {
        {"normal", Press::Normal}, {"hover", Press::Hover}, {"pressed", Press::Pressed}};
    for (const auto& b : buttons)
        for (const auto& s : states)
            ok &= Save(DrawCaptionButton(b.glyph, b.text, s.state, b.danger), out,
                       QString("Picture/Hall/%1_%2.png").arg(b.name, s.suffix));
    return ok;
}
