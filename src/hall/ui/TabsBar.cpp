#include "hall/ui/TabsBar.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace vlk {

namespace {

const QColor kAttention(133, 147, 181);
const QColor kActiveHot(182, 189, 210);
const QColor kEdge(150, 160, 186);
const QColor kEdgeHot(112, 126, 162);
const QColor kEdgeActive(84, 100, 146);
const QColor kAccent(240, 150, 40);

constexpr int kBlinkMs = 500;
constexpr qreal kRadius = 5;
constexpr int kPadding = 6;
constexpr int kIconGap = 4;
// Tabs other than the active one stand this much lower, so the active one reads as in front.
constexpr int kInactiveInset = 2;

QFont MakeDefaultFont()
{
    QFont font = QApplication::font();
    if (QFontDatabase::families().contains("Tahoma", Qt::CaseInsensitive))
        font.setFamily("Tahoma");
    font.setPixelSize(13);
    return font;
}

bool Horizontal(TTabPosition position)
{
    return position == TTabPosition::tpTop || position == TTabPosition::tpBottom;
}

// Tab shapes are drawn in one frame: `length` along the bar, `depth` across it, the rounded side
// at y = 0 and the side standing on the bar's edge at y = depth. This maps that frame onto the
// tab's rectangle: the edge named by the position is the one the tab stands on.
QTransform TabFrame(const QRect& r, TTabPosition position)
{
    const qreal left = r.left();
    const qreal top = r.top();
    switch (position) {
    case TTabPosition::tpTop: return QTransform(1, 0, 0, -1, left, top + r.height());
    case TTabPosition::tpBottom: return QTransform(1, 0, 0, 1, left, top);
    case TTabPosition::tpLeft: return QTransform(0, 1, -1, 0, left + r.width(), top);
    case TTabPosition::tpRight: return QTransform(0, 1, 1, 0, left, top);
    }
    return {};
}

// The outline from the standing edge round the rounded side and back, left open at the bottom.
QPainterPath TabOutline(qreal length, qreal depth, qreal inset)
{
    const qreal l = 0.5;
    const qreal r = length - 0.5;
    const qreal t = inset + 0.5;
    QPainterPath path(QPointF(l, depth));
    path.lineTo(l, t + kRadius);
    path.arcTo(QRectF(l, t, 2 * kRadius, 2 * kRadius), 180, -90);
    path.lineTo(r - kRadius, t);
    path.arcTo(QRectF(r - 2 * kRadius, t, 2 * kRadius, 2 * kRadius), 90, -90);
    path.lineTo(r, depth);
    return path;
}

} // namespace

TObjectTab::TObjectTab(TTabsBar* bar, QString caption, QWidget* control, bool form)
    : bar_(bar), caption_(std::move(caption)), form_(form), control(control)
{
}

void TObjectTab::SetImageIndex(int index)
{
    imageIndex_ = index;
    bar_->update(Rect());
}

void TObjectTab::SetState(int value)
{
    bar_->SetTabState(*this, value);
}

TTabsBar::TTabsBar(QWidget* parent) : QWidget(parent), defaultFont_(MakeDefaultFont())
{
    setFont(defaultFont_);
    setMouseTracking(true);
    resize(sizeHint());
    blink_.setInterval(kBlinkMs);
    connect(&blink_, &QTimer::timeout, this, [this] {
        blinkOn_ = !blinkOn_;
        update();
    });
}

TTabsBar::~TTabsBar() = default;

TObjectTab* TTabsBar::AddTab(const QString& caption, QWidget* control, bool form)
{
    TObjectTab& tab = list_.Add(std::make_unique<TObjectTab>(this, caption, control, form));
    if (control)
        control->raise();
    Relayout();
    if (OnAddTab)
        OnAddTab(this, &tab);
    UpdateBlink();
    update();
    return &tab;
}

void TTabsBar::RemoveTab(QWidget* control)
{
    if (list_.IndexOf(control) < 0)
        return;
    if (TObjectTab* active = list_.ActiveTab(); active && active->Control() == control &&
                                                 OnTabMouseLeave)
        OnTabMouseLeave(active);
    std::unique_ptr<TObjectTab> tab = list_.Remove(control);
    Relayout();
    CloseForm(*tab);
    tab.reset();
    if (OnDeleteTab)
        OnDeleteTab(this);
    SetActiveTabIndex(list_.ActiveTabIndex());
}

void TTabsBar::RemoveTabAt(int index)
{
    if (TObjectTab* tab = list_.Tabs(index))
        RemoveTab(tab->Control());
}

void TTabsBar::CloseAll()
{
    for (auto& tab : list_.Clear())
        CloseForm(*tab);
    UpdateBlink();
    update();
}

void TTabsBar::MarkTab(QWidget* control)
{
    if (TObjectTab* tab = list_.Mark(control)) {
        UpdateBlink();
        update(tab->Rect());
    }
}

void TTabsBar::SetActiveTabIndex(int index)
{
    if (TObjectTab* tab = list_.SetActiveTabIndex(index); tab && tab->Control())
        tab->Control()->raise();
    UpdateBlink();
    update();
}

void TTabsBar::SetTabState(TObjectTab& tab, int state)
{
    if (!list_.SetState(tab, state))
        return;
    if (state == tsActive && tab.Control())
        tab.Control()->raise();
    UpdateBlink();
    update();
}

void TTabsBar::SetBGTransparent(bool on)
{
    bgTransparent_ = on;
    update();
}

void TTabsBar::SetDefaultFont(const QFont& font)
{
    defaultFont_ = font;
    update();
}

void TTabsBar::SetUseSkinFont(bool on)
{
    useSkinFont_ = on;
    update();
}

void TTabsBar::SetTabWidth(int width)
{
    tabWidth_ = std::max(1, width);
    Relayout();
    update();
}

void TTabsBar::SetInterval(int gap)
{
    interval_ = std::max(0, gap);
    Relayout();
    update();
}

void TTabsBar::SetTabPosition(TTabPosition position)
{
    position_ = position;
    Relayout();
    update();
}

void TTabsBar::SetImages(const QList<QPixmap>& images)
{
    images_ = images;
    update();
}

void TTabsBar::SetSkinPictures(const QList<QPixmap>& byState)
{
    skinPictures_ = byState;
    update();
}

void TTabsBar::TrackHot(TObjectTab* under)
{
    const auto change = list_.TrackHot(under);
    if (change.Left) {
        update(change.Left->Rect());
        if (OnTabMouseLeave)
            OnTabMouseLeave(change.Left);
    }
    if (change.Entered) {
        update(change.Entered->Rect());
        if (OnTabMouseEnter)
            OnTabMouseEnter(change.Entered);
    }
}

void TTabsBar::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    TObjectTab* tab = list_.TabAt(at.x(), at.y());
    if (!tab) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton)
        SetActiveTabIndex(list_.IndexOf(tab));
    if (OnTabMouseDown)
        OnTabMouseDown(event->button(), event->modifiers(), tab);
}

void TTabsBar::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    TrackHot(list_.TabAt(at.x(), at.y()));
    QWidget::mouseMoveEvent(event);
}

void TTabsBar::leaveEvent(QEvent* event)
{
    TrackHot(nullptr);
    QWidget::leaveEvent(event);
}

void TTabsBar::resizeEvent(QResizeEvent* event)
{
    Relayout();
    QWidget::resizeEvent(event);
}

void TTabsBar::Relayout()
{
    list_.Layout(tabWidth_, interval_, position_, width(), height());
}

// Attention blinks while any tab asks for it; the blink starts in the attention colour so that
// a freshly marked tab shows at once.
void TTabsBar::UpdateBlink()
{
    bool any = false;
    for (int i = 0; i < list_.TabCount(); ++i)
        any = any || list_.Tabs(i)->State() == tsAttention;
    if (any && !blink_.isActive()) {
        blinkOn_ = true;
        blink_.start();
    } else if (!any) {
        blink_.stop();
        blinkOn_ = true;
    }
}

// Freed later: the form may be the one that asked for its own removal and still be running.
void TTabsBar::CloseForm(TObjectTab& tab)
{
    QPointer<QWidget> control = tab.Control();
    if (!tab.IsForm() || !control)
        return;
    control->close();
    if (control)
        control->deleteLater();
}

QFont TTabsBar::PaintFont() const
{
    return useSkinFont_ ? font() : defaultFont_;
}

void TTabsBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!bgTransparent_)
        painter.fillRect(rect(), palette().window());

    for (int i = 0; i < list_.TabCount(); ++i)
        if (const TObjectTab* tab = list_.Tabs(i); tab->Visible() && i != list_.ActiveTabIndex())
            PaintTab(painter, *tab);

    // The line the tabs stand on; the active tab is drawn over it and opens onto its page.
    painter.setPen(QPen(kEdgeActive, 1));
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    switch (position_) {
    case TTabPosition::tpTop: painter.drawLine(r.topLeft(), r.topRight()); break;
    case TTabPosition::tpBottom: painter.drawLine(r.bottomLeft(), r.bottomRight()); break;
    case TTabPosition::tpLeft: painter.drawLine(r.topLeft(), r.bottomLeft()); break;
    case TTabPosition::tpRight: painter.drawLine(r.topRight(), r.bottomRight()); break;
    }

    if (const TObjectTab* active = list_.ActiveTab(); active && active->Visible())
        PaintTab(painter, *active);
}

void TTabsBar::PaintTab(QPainter& painter, const TObjectTab& tab) const
{
    const QRect area = tab.Rect();
    const bool attentionOn = tab.State() == tsAttention && blinkOn_;
    const int look = tab.State() == tsAttention && !blinkOn_ ? tsNormal : tab.State();

    const QPixmap skin = skinPictures_.value(look);
    if (!skin.isNull()) {
        painter.drawPixmap(area, skin);
        PaintContent(painter, tab, area);
        return;
    }

    const bool horizontal = Horizontal(position_);
    const qreal length = horizontal ? area.width() : area.height();
    const qreal depth = horizontal ? area.height() : area.width();
    const qreal inset = look == tsActive ? 0 : look == tsHot ? 1 : kInactiveInset;

    QColor fill = palette().color(QPalette::Button);
    QColor edge = kEdge;
    if (look == tsActive) {
        fill = kActiveHot;
        edge = kEdgeActive;
    } else if (look == tsHot) {
        fill = kActiveHot;
        edge = kEdgeHot;
    } else if (attentionOn) {
        fill = kAttention;
        edge = kEdgeActive;
    }

    painter.save();
    painter.setTransform(TabFrame(area, position_), true);
    const QPainterPath outline = TabOutline(length, depth, inset);
    QPainterPath body = outline;
    body.closeSubpath();

    // Lighter towards the rounded side, the plain colour from the middle to the standing edge.
    QLinearGradient gradient(0, inset, 0, depth);
    gradient.setColorAt(0, fill.lighter(look == tsNormal ? 106 : 112));
    gradient.setColorAt(0.55, fill);
    gradient.setColorAt(1, fill);
    painter.fillPath(body, gradient);

    if (look == tsActive) {
        painter.save();
        painter.setClipPath(body);
        painter.fillRect(QRectF(0, 0, length, 3), kAccent);
        painter.restore();
    }
    painter.setPen(QPen(edge, 1));
    painter.drawPath(outline);
    painter.restore();

    PaintContent(painter, tab, area);
}

void TTabsBar::PaintContent(QPainter& painter, const TObjectTab& tab, const QRect& area) const
{
    const int state = tab.State();
    const bool attentionOn = state == tsAttention && blinkOn_;
    QFont font = PaintFont();
    font.setBold(state == tsActive || attentionOn);
    painter.setFont(font);
    painter.setPen(attentionOn ? QColor(Qt::white)
                   : state == tsNormal || state == tsAttention ? QColor(52, 58, 72)
                                                               : QColor(16, 24, 44));
    const QFontMetrics metrics(font);

    QPixmap icon = images_.value(tab.ImageIndex());
    const QRect content = area.adjusted(kPadding, 2, -kPadding, -2);
    const int iconLimit = Horizontal(position_) ? content.height() : content.width();
    if (!icon.isNull() && (icon.width() > iconLimit || icon.height() > iconLimit)) {
        icon = icon.scaled(iconLimit * icon.devicePixelRatio(), iconLimit * icon.devicePixelRatio(),
                           Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    const QSize iconSize = icon.isNull() ? QSize() : icon.deviceIndependentSize().toSize();
    const int gap = icon.isNull() ? 0 : kIconGap;

    if (Horizontal(position_)) {
        const int room = content.width() - iconSize.width() - gap;
        const QString text = metrics.elidedText(tab.Caption(), Qt::ElideRight, std::max(0, room));
        const int total = iconSize.width() + gap + metrics.horizontalAdvance(text);
        int x = content.left() + (content.width() - total) / 2;
        if (!icon.isNull()) {
            painter.drawPixmap(x, content.top() + (content.height() - iconSize.height()) / 2,
                               icon);
            x += iconSize.width() + gap;
        }
        painter.drawText(QRect(x, content.top(), content.right() - x + 1, content.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        return;
    }

    // One character per line; what does not fit ends in an ellipsis.
    const int line = metrics.height();
    const int lines = std::max(0, (content.height() - iconSize.height() - gap) / line);
    QStringList chars;
    for (const QChar c : tab.Caption())
        chars << QString(c);
    if (chars.size() > lines) {
        chars = chars.mid(0, std::max(0, lines - 1));
        if (lines > 0)
            chars << QStringLiteral("\u2026");
    }
    const int total = iconSize.height() + gap + static_cast<int>(chars.size()) * line;
    int y = content.top() + (content.height() - total) / 2;
    if (!icon.isNull()) {
        painter.drawPixmap(content.left() + (content.width() - iconSize.width()) / 2, y, icon);
        y += iconSize.height() + gap;
    }
    for (const QString& c : chars) {
        painter.drawText(QRect(content.left(), y, content.width(), line), Qt::AlignCenter, c);
        y += line;
    }
}

} // namespace vlk
