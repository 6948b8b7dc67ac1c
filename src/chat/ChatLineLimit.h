#pragma once
// The line limit of a chat view: the view never drops single old lines; when it is full it is
// emptied and the next line starts it again.
#include <cstdint>

namespace vlk {

class TChatLineLimit {
public:
    // maxRow 0: no limit.
    explicit TChatLineLimit(uint16_t maxRow = 150) : maxRow_(maxRow) {}

    uint16_t MaxRow() const { return maxRow_; }
    void SetMaxRow(uint16_t maxRow) { maxRow_ = maxRow; }
    // Called for every appended line; true: empty the view before showing this line.
    bool Append()
    {
        const bool full = maxRow_ != 0 && count_ >= maxRow_;
        if (full)
            count_ = 0;
        if (count_ < UINT16_MAX)
            ++count_;
        return full;
    }
    // The view was emptied by the user.
    void Clear() { count_ = 0; }

private:
    uint16_t maxRow_;
    uint16_t count_ = 0;
};

} // namespace vlk
