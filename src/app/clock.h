// Today's year, from one place that tests can set.
#pragma once

namespace tessaro::app {

class Clock {
public:
    virtual ~Clock() = default;
    virtual int currentYear() const;
};

class FixedClock : public Clock {
public:
    explicit FixedClock(int year) : m_year(year) {}
    int currentYear() const override { return m_year; }

private:
    int m_year;
};

} // namespace tessaro::app
