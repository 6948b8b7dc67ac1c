#include "UserPictures.h"

#include "PictureKit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace pictures;

namespace {

const QColor kMaskKey(0xff, 0x00, 0xff);

QPainterPath StarPath(QPointF c, qreal outer, qreal inner)
{
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 ? inner : outer;
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const QPointF p = c + QPointF(r * std::cos(a), r * std::sin(a));
        i ? star.lineTo(p) : star.moveTo(p);
    }
    star.closeSubpath();
    return star;
}

void DrawMic(QPainter& p, QPointF c, const QColor& body)
{
    p.setPen(QPen(body.darker(140), 0.8));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(c.x() - 2.5, c.y() - 6, 5, 8), 2.5, 2.5);
    p.setPen(QPen(QColor(0x55, 0x5f, 0x70), 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 4.5, c.y() - 3.5, 9, 8), 200 * 16, 140 * 16);
    p.drawLine(QPointF(c.x(), c.y() + 4.5), QPointF(c.x(), c.y() + 6.5));
}

// Mic pictures side by side, 16 x 16 each, on the mask colour: the list draws picture
// (state + 1) for a user on a mic and the user's own no-mic picture (0) otherwise.
QImage DrawMicStrip()
{
    const QColor kinds[] = {
        QColor(0xc8, 0xcd, 0xd6),   // 0: no mic
        QColor(0xc8, 0xcd, 0xd6),   // 1: unused
        QColor(0xe0, 0x4a, 0x2b),   // 2: public mic
        QColor(0x2b, 0x9a, 0x4a),   // 3: private, anyone
        QColor(0x2b, 0x7d, 0xe9),   // 4: private, friends
        QColor(0xe9, 0xa8, 0x2b),   // 5: private, on request
        QColor(0x9b, 0x59, 0xb6),   // 6: paid private
        QColor(0x7f, 0x8c, 0x8d),   // 7: mic queue
    };
    QImage strip(16 * int(std::size(kinds)), 16, QImage::Format_RGB32);
    strip.fill(kMaskKey);
    QPainter p(&strip);
    for (int i = 0; i < int(std::size(kinds)); ++i) {
        if (i == 1)
            continue;
        DrawMic(p, QPointF(i * 16 + 8, 8), kinds[i]);
        if (i == 7) {   // a small queue mark
            p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
            p.drawLine(QPointF(i * 16 + 12, 3), QPointF(i * 16 + 15, 3));
            p.drawLine(QPointF(i * 16 + 12, 6), QPointF(i * 16 + 15, 6));
        }
    }
    return strip;
}

QImage DrawCrownHead(const QColor& a, const QColor& b)
{
    QImage img(32, 32, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 32);
    fill.setColorAt(0, a);
    fill.setColorAt(1, b);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 6, 6);
    QPainterPath crown;
    crown.moveTo(6, 22);
    crown.lineTo(5, 10);
    crown.lineTo(11, 15);
    crown.lineTo(16, 7);
    crown.lineTo(21, 15);
    crown.lineTo(27, 10);
    crown.lineTo(26, 22);
    crown.closeSubpath();
    p.setBrush(QColor(0xff, 0xd7, 0x4a));
    p.setPen(QPen(QColor(0xb0, 0x80, 0x10), 1));
    p.drawPath(crown);
    p.drawRect(QRectF(6, 22, 20, 4));
    return img;
}

QImage DrawMark(bool muted)
{
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(muted ? QColor(0xd9, 0x3b, 0x30) : QColor(0x6b, 0x76, 0x85));
    p.drawEllipse(QRectF(0.5, 0.5, 9, 9));
    p.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::RoundCap));
    if (muted) {
        p.drawLine(QPointF(3, 3), QPointF(7, 7));
        p.drawLine(QPointF(7, 3), QPointF(3, 7));
    } else {
        p.drawEllipse(QRectF(3, 3.8, 4, 2.4));   // a closed eye
    }
    return img;
}

QImage DrawBadge(const QColor& a, const QColor& b, bool star)
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 16);
    fill.setColorAt(0, a);
    fill.setColorAt(1, b);
    p.setPen(QPen(b.darker(130), 0.8));
    p.setBrush(fill);
    if (star)
        p.drawPath(StarPath(QPointF(8, 8.5), 7.5, 3.4));
    else
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    return img;
}

} // namespace

bool DrawUserPictures(const QString& out)
{
    bool ok = SaveAs(DrawMicStrip(), out, "Picture/User/MicType.bmp", "BMP");
    ok &= SaveAs(DrawCrownHead(QColor(0x3a, 0x56, 0x87), QColor(0x24, 0x3a, 0x60)), out, "Picture/User/H_King.bmp", "BMP");
    ok &= SaveAs(DrawCrownHead(QColor(0xd0, 0x5a, 0x8c), QColor(0x9c, 0x2f, 0x5e)), out, "Picture/User/H_Queen.bmp", "BMP");
    ok &= SaveAs(DrawMark(false), out, "Picture/User/Stealth.bmp", "BMP");
    ok &= SaveAs(DrawMark(true), out, "Picture/User/Banned.bmp", "BMP");
    const struct {
        const char* name;
        QColor a, b;
        bool star;
    } badges[] = {
        {"游客", QColor(0xd5, 0xda, 0xe1), QColor(0xa9, 0xb1, 0xbc), false},
        {"普通会员", QColor(0x6f, 0xb3, 0xff), QColor(0x2b, 0x7d, 0xe9), false},
        {"管理员", QColor(0x7b, 0xd8, 0x8f), QColor(0x2b, 0x9a, 0x4a), true},
        {"室主", QColor(0xff, 0xd5, 0x6b), QColor(0xe9, 0x8f, 0x2b), true},
    };
    for (const auto& b : badges)
        ok &= SaveAs(DrawBadge(b.a, b.b, b.star), out, QString("Picture/User/%1.bmp").arg(QString::fromUtf8(b.name)), "BMP");
    return ok;
}
