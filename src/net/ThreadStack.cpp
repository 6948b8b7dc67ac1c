#include "net/ThreadStack.h"

namespace vlk {

bool TThreadStack::Pop(void*& out)
{
    if (items_.empty())
        return false;
    out = items_.back();
    items_.pop_back();
    return true;
}

} // namespace vlk
