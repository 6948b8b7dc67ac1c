#pragma once
// A stack of pointers. Its own operations take no lock: the block pool already guards it with its
// own, and other users hold Lock/Unlock around whatever sequence must be atomic.
#include <cstddef>
#include <mutex>
#include <vector>

namespace vlk {

class TThreadStack {
public:
    TThreadStack() = default;
    TThreadStack(const TThreadStack&) = delete;
    TThreadStack& operator=(const TThreadStack&) = delete;

    void Push(void* p) { items_.push_back(p); }
    // False, leaving out as it was, when the stack is empty.
    bool Pop(void*& out);
    size_t Count() const { return items_.size(); }
    // Makes room for `count` pointers in all, so that Pushes up to that count cannot fail.
    void Reserve(size_t count) { items_.reserve(count); }

    void Lock() { lock_.lock(); }
    void Unlock() { lock_.unlock(); }

private:
    std::vector<void*> items_;
    std::mutex lock_;
};

} // namespace vlk
