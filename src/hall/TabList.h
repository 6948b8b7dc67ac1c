#pragma once
// The tab bar's rules without the widget: the ordered tabs, the active one, attention marks, hot
// tracking and where each tab goes. The bar raises its events from what these operations return.
#include <algorithm>
#include <memory>
#include <vector>

namespace vlk {

enum TTabState : int { tsNormal = 0, tsActive = 1, tsAttention = 2, tsHot = 3 };

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

struct TTabRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    bool Contains(int x, int y) const;
    bool operator==(const TTabRect&) const = default;
};

// Tab `index` of a bar: list order from the bar's start, tabWidth long and interval apart,
// across the whole bar.
TTabRect TabRect(int index, int tabWidth, int interval, TTabPosition position, int barWidth,
                 int barHeight);
// Whether any part of the rectangle lies inside the bar.
bool TabShows(const TTabRect& rect, int barWidth, int barHeight);

// Tab is any type with the members `state` (int), `control` (comparable with Control),
// `rect` (TTabRect) and `visible` (bool).
template <class Tab, class Control>
class TTabList {
public:
    struct THotChange {
        Tab* Left = nullptr;
        Tab* Entered = nullptr;
    };

    int TabCount() const { return static_cast<int>(tabs_.size()); }
    int ActiveTabIndex() const { return active_; }
    Tab* Tabs(int index) const
    {
        return index >= 0 && index < TabCount() ? tabs_[index].get() : nullptr;
    }
    Tab* ActiveTab() const { return Tabs(active_); }
    // The tab under the mouse, if any.
    Tab* Hover() const { return hover_; }

    int IndexOf(const Control& control) const
    {
        for (int i = 0; i < TabCount(); ++i)
            if (tabs_[i]->control == control)
                return i;
        return -1;
    }
    int IndexOf(const Tab* tab) const
    {
        for (int i = 0; i < TabCount(); ++i)
            if (tabs_[i].get() == tab)
                return i;
        return -1;
    }

    // The previously active tab becomes normal; the new one is appended active.
    Tab& Add(std::unique_ptr<Tab> tab)
    {
        if (Tab* old = ActiveTab(); old && old->state == tsActive)
            old->state = tsNormal;
        tab->state = tsActive;
        tabs_.push_back(std::move(tab));
        active_ = TabCount() - 1;
        return *tabs_.back();
    }

    // Takes out the first tab standing for the control (nothing when there is none). The active
    // index keeps its old value, clamped to the shorter list, so the caller's setting it again
    // activates the next tab, or the new last one. A tab taken out before the active one moves
    // the index with it, so the page on show stays on show.
    std::unique_ptr<Tab> Remove(const Control& control)
    {
        const int index = IndexOf(control);
        if (index < 0)
            return nullptr;
        std::unique_ptr<Tab> tab = std::move(tabs_[index]);
        tabs_.erase(tabs_.begin() + index);
        if (hover_ == tab.get())
            hover_ = nullptr;
        active_ = index < active_ ? active_ - 1 : std::min(active_, TabCount() - 1);
        return tab;
    }

    std::vector<std::unique_ptr<Tab>> Clear()
    {
        std::vector<std::unique_ptr<Tab>> all = std::move(tabs_);
        tabs_.clear();
        active_ = -1;
        hover_ = nullptr;
        return all;
    }

    // The first tab standing for the control asks for attention, unless it is the active one.
    Tab* Mark(const Control& control)
    {
        const int index = IndexOf(control);
        if (index < 0 || index == active_)
            return nullptr;
        tabs_[index]->state = tsAttention;
        return tabs_[index].get();
    }

    // Clamped to the list (-1 without tabs or for any negative value). Other active tabs become
    // normal; attention and hot tabs keep their state. Returns the active tab.
    Tab* SetActiveTabIndex(int index)
    {
        active_ = std::clamp(index, -1, TabCount() - 1);
        for (int i = 0; i < TabCount(); ++i) {
            if (i == active_)
                tabs_[i]->state = tsActive;
            else if (tabs_[i]->state == tsActive)
                tabs_[i]->state = tsNormal;
        }
        return ActiveTab();
    }

    // The active tab's state changes only by activating another tab, so the active index and
    // the states never disagree: any state written to the active tab is ignored, and the active
    // state written to another tab activates it. Returns whether anything changed.
    bool SetState(Tab& tab, int state)
    {
        const int index = IndexOf(&tab);
        if (index < 0 || index == active_ || state < tsNormal || state > tsHot)
            return false;
        if (state == tsActive)
            SetActiveTabIndex(index);
        else
            tab.state = state;
        return true;
    }

    // The mouse is now over `under` (nothing when off the tabs): the tab it left goes from hot
    // back to normal, a normal tab it entered becomes hot.
    THotChange TrackHot(Tab* under)
    {
        if (under == hover_)
            return {};
        THotChange change{hover_, under};
        if (hover_ && hover_->state == tsHot)
            hover_->state = tsNormal;
        hover_ = under;
        if (under && under->state == tsNormal)
            under->state = tsHot;
        return change;
    }

    void Layout(int tabWidth, int interval, TTabPosition position, int barWidth, int barHeight)
    {
        for (int i = 0; i < TabCount(); ++i) {
            tabs_[i]->rect = TabRect(i, tabWidth, interval, position, barWidth, barHeight);
            tabs_[i]->visible = TabShows(tabs_[i]->rect, barWidth, barHeight);
        }
    }

    Tab* TabAt(int x, int y) const
    {
        for (const auto& tab : tabs_)
            if (tab->visible && tab->rect.Contains(x, y))
                return tab.get();
        return nullptr;
    }

private:
    std::vector<std::unique_ptr<Tab>> tabs_;
    int active_ = -1;
    Tab* hover_ = nullptr;
};

} // namespace vlk
