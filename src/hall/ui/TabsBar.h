#pragma once
// The hall's tab bar: one tab per open page (the hall panel, each room window). Its rules live in
// TTabList; the bar lays the tabs out, paints them, tracks the mouse and raises the events.
#include "hall/TabList.h"

#include <QFont>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

class QPainter;

namespace vlk {

class TTabsBar;

class TObjectTab {
public:
    TObjectTab(TTabsBar* bar, QString caption, QWidget* control, bool form);

    TTabsBar* Bar() const { return bar_; }
    const QString& Caption() const { return caption_; }
    // Nothing once the control has been destroyed elsewhere.
    QWidget* Control() const { return control; }
    // A form is closed and freed with its tab; other controls (the hall panel) are left alone.
    bool IsForm() const { return form_; }
    QRect Rect() const { return QRect(rect.Left, rect.Top, rect.Width, rect.Height); }
    bool Visible() const { return visible; }

    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int State() const { return state; }
    void SetState(int value);

private:
    friend class TTabList<TObjectTab, QWidget*>;

    TTabsBar* bar_;
    QString caption_;
    bool form_;
    int imageIndex_ = -1;

    int state = tsNormal;
    QPointer<QWidget> control;
    TTabRect rect;
    bool visible = true;
};

class TTabsBar : public QWidget {
    Q_OBJECT
public:
    explicit TTabsBar(QWidget* parent = nullptr);
    ~TTabsBar() override;

    // Appends an active tab for the control and brings the control to the front; `form` hands
    // the control to the bar, which closes and frees it when the tab goes.
    TObjectTab* AddTab(const QString& caption, QWidget* control, bool form = false);
    void RemoveTab(QWidget* control);
    void RemoveTabAt(int index);
    // Closes and frees every form and drops every tab, raising no events.
    void CloseAll();
    void MarkTab(QWidget* control);

    int TabCount() const { return list_.TabCount(); }
    TObjectTab* Tabs(int index) const { return list_.Tabs(index); }
    TObjectTab* TabAt(int x, int y) const { return list_.TabAt(x, y); }
    // The first tab standing for the control.
    TObjectTab* FindTab(QWidget* control) const { return list_.Tabs(list_.IndexOf(control)); }

    int ActiveTabIndex() const { return list_.ActiveTabIndex(); }
    void SetActiveTabIndex(int index);

    bool BGTransparent() const { return bgTransparent_; }
    void SetBGTransparent(bool on);
    const QFont& DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(const QFont& font);
    // With the skin font the bar paints with its own font(), which a style sheet may set;
    // otherwise always with DefaultFont.
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool on);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int width);
    int Interval() const { return interval_; }
    void SetInterval(int gap);
    TTabPosition TabPosition() const { return position_; }
    void SetTabPosition(TTabPosition position);
    const QList<QPixmap>& Images() const { return images_; }
    void SetImages(const QList<QPixmap>& images);
    // The skin's tab pictures by state (normal, active, attention, hot), stretched over the tab;
    // a state without a picture is drawn in the bar's own colours.
    void SetSkinPictures(const QList<QPixmap>& byState);

    QSize sizeHint() const override { return QSize(150, 21); }

    std::function<void(TTabsBar* sender, TObjectTab* tab)> OnAddTab;
    std::function<void(TTabsBar* sender)> OnDeleteTab;
    std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers shift, TObjectTab* tab)>
        OnTabMouseDown;
    std::function<void(TObjectTab* tab)> OnTabMouseEnter;
    std::function<void(TObjectTab* tab)> OnTabMouseLeave;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TObjectTab;

    void SetTabState(TObjectTab& tab, int state);
    void TrackHot(TObjectTab* under);
    void Relayout();
    void UpdateBlink();
    void CloseForm(TObjectTab& tab);
    QFont PaintFont() const;
    void PaintTab(QPainter& painter, const TObjectTab& tab) const;
    void PaintContent(QPainter& painter, const TObjectTab& tab, const QRect& area) const;

    TTabList<TObjectTab, QWidget*> list_;
    bool bgTransparent_ = false;
    QFont defaultFont_;
    bool useSkinFont_ = true;
    int tabWidth_ = 100;
    int interval_ = 3;
    TTabPosition position_ = TTabPosition::tpTop;
    QList<QPixmap> images_;
    QList<QPixmap> skinPictures_;
    QTimer blink_;
    bool blinkOn_ = true;
};

} // namespace vlk
