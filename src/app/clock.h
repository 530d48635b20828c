// Today, from one place that tests can set.
#pragma once

namespace tessaro::app {

struct CalendarDay {
    int day = 1;
    int month = 1;
    int year = 1970;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual CalendarDay today() const;
    int currentYear() const { return today().year; }
};

class FixedClock : public Clock {
public:
    explicit FixedClock(int year, int month = 1, int day = 1) : m_today {day, month, year} { }
    CalendarDay today() const override { return m_today; }

private:
    CalendarDay m_today;
};

} // namespace tessaro::app
