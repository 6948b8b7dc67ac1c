#pragma once
// The client's clock: real time, each armed TTimer driven by a QTimer on the GUI thread.
#include "base/Clock.h"

#include <QElapsedTimer>

#include <unordered_set>

namespace vlk {

class QtClock : public ClockBackend {
public:
    QtClock();
    ~QtClock() override;
    uint32_t Now() override;
    void Arm(TTimer& timer) override;
    void Disarm(TTimer& timer) override;

private:
    QElapsedTimer elapsed_;
    uint32_t start_;
    std::unordered_set<TTimer*> armed_;   // each holds its QTimer in BackendData
};

} // namespace vlk
