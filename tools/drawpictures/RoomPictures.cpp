#include "RoomPictures.h"

#include "PictureKit.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace pictures;

namespace {

// A smiling flower for the welcome line.
QImage DrawWelcome()
{
    QImage img = NewImage(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x8a, 0x65));
    for (int i = 0; i < 5; ++i) {
        const qreal a = -M_PI / 2 + i * 2 * M_PI / 5;
        p.drawEllipse(QPointF(8 + 4.2 * std::cos(a), 8 + 4.2 * std::sin(a)), 3.2, 3.2);
    }
    p.setBrush(QColor(0xff, 0xd5, 0x4f));
    p.drawEllipse(QPointF(8, 8), 3.4, 3.4);
    return img;
}

// A loudspeaker for the notice line.
QImage DrawNotice()
{
    QImage img = NewImage(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath horn;
    horn.moveTo(2, 6);
    horn.lineTo(5, 6);
    horn.lineTo(10, 2.5);
    horn.lineTo(10, 13.5);
    horn.lineTo(5, 10);
    horn.lineTo(2, 10);
    horn.closeSubpath();
    p.setPen(QPen(kAccentDeep, 1));
    p.setBrush(kAccent);
    p.drawPath(horn);
    p.setPen(QPen(kAccent, 1.3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(9, 4.5, 5, 7), -50 * 16, 100 * 16);
    return img;
}

} // namespace

bool DrawRoomPictures(const QString& out)
{
    bool ok = SaveGif(DrawWelcome(), out, "Picture/Room/Welcome.gif");
    ok &= SaveGif(DrawNotice(), out, "Picture/Room/Node.gif");
    return ok;
}
