// Draws the pictures of the default program directory: the login dialog background, the login
// buttons (border-image pictures, so they carry no text) and the small glyphs the skins reference.
// Usage: drawpictures OUTDIR  (writes OUTDIR/Picture/...)
#include <QColor>
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

#include <cstdio>
#include <iterator>

namespace {

constexpr int kLoginWidth = 424;
constexpr int kLoginHeight = 299;
constexpr int kBannerHeight = 95;
constexpr int kButtonBarTop = 234;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 30;

const QColor kAccent(0x2b, 0x7d, 0xe9);
const QColor kAccentDeep(0x1a, 0x5c, 0xc4);
const QColor kAccentLight(0x4f, 0xa3, 0xf7);
const QColor kPanelTop(0xfb, 0xfc, 0xfe);
const QColor kPanelBottom(0xf0, 0xf4, 0xf9);

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

bool Save(const QImage& img, const QString& outDir, const QString& relative)
{
    const QString path = QDir(outDir).filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (img.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "drawpictures: cannot write %s\n", qPrintable(path));
    return false;
}

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
    return ok ? 0 : 1;
}
