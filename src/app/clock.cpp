#include "app/clock.h"

#include <chrono>

namespace tessaro::app {

int Clock::currentYear() const
{
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    return static_cast<int>(std::chrono::year_month_day(today).year());
}

} // namespace tessaro::app
