// The Gregorian calendar's rule for which day, month and year make a date,
// kept in one place for every date the program checks.
#pragma once

namespace tessaro::calc {

bool isLeapYear(int year);
// 28 to 31; month from 1 to 12.
int daysInMonth(int month, int year);
// Whether the day exists: 30 February and 31 April do not.
bool isRealDate(int day, int month, int year);

} // namespace tessaro::calc
