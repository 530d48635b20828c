#include "calc/calendar.h"

namespace tessaro::calc {

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int month, int year)
{
    constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : Days[month - 1];
}

bool isRealDate(int day, int month, int year)
{
    return month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(month, year);
}

} // namespace tessaro::calc
