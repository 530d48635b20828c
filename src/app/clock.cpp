#include "app/clock.h"

#include <QDate>

namespace tessaro::app {

CalendarDay Clock::today() const
{
    // The user's calendar day, not the one in Greenwich.
    const QDate date = QDate::currentDate();
    return {date.year(), date.month(), date.day()};
}

} // namespace tessaro::app
