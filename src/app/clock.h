// Today, from one place that tests can set.
#pragma once

#include "calc/calendar.h"

namespace tessaro::app {

using CalendarDay = calc::Date;

class Clock {
public:
    virtual ~Clock() = default;
    virtual CalendarDay today() const;
    int currentYear() const { return today().year; }
};

class FixedClock : public Clock {
public:
    explicit FixedClock(int year, int month = 1, int day = 1) : m_today {year, month, day} { }
    CalendarDay today() const override { return m_today; }

private:
    CalendarDay m_today;
};

} // namespace tessaro::app
