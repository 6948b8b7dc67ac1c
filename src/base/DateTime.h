#pragma once
// Date-times as the wire carries them: days since 1899-12-30, the fraction being the time of day.
namespace vlk {

inline constexpr double kSecondsPerDay = 86400.0;

// The local wall clock as such a day count.
double NowDateTime();

} // namespace vlk
