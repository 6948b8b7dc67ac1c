#include "hall/TabList.h"

namespace vlk {

bool TTabRect::Contains(int x, int y) const
{
    return x >= Left && x < Left + Width && y >= Top && y < Top + Height;
}

TTabRect TabRect(int index, int tabWidth, int interval, TTabPosition position, int barWidth,
                 int barHeight)
{
    const int offset = index * (tabWidth + interval);
    if (position == TTabPosition::tpTop || position == TTabPosition::tpBottom)
        return {offset, 0, tabWidth, barHeight};
    return {0, offset, barWidth, tabWidth};
}

bool TabShows(const TTabRect& rect, int barWidth, int barHeight)
{
    return rect.Width > 0 && rect.Height > 0 && rect.Left < barWidth && rect.Top < barHeight &&
           rect.Left + rect.Width > 0 && rect.Top + rect.Height > 0;
}

} // namespace vlk
