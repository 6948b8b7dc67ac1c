#include "base/DateTime.h"

#include <chrono>
#include <ctime>

namespace vlk {

double NowDateTime()
{
    // 25569 days lie between 1899-12-30 and the Unix epoch; the wire counts local time.
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const double sinceEpoch =
        std::chrono::duration<double>(now.time_since_epoch()).count() + static_cast<double>(local.tm_gmtoff);
    return 25569.0 + sinceEpoch / kSecondsPerDay;
}

} // namespace vlk
