// The Gregorian calendar's rule for which day, month and year make a date,
// kept in one place for every date the program checks.
#pragma once

#include <optional>
#include <string_view>

namespace tessaro::calc {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;

    bool operator==(const Date&) const = default;
    // In calendar order.
    constexpr bool operator<(const Date& other) const
    {
        if (year != other.year)
            return year < other.year;
        if (month != other.month)
            return month < other.month;
        return day < other.day;
    }
};

bool isLeapYear(int year);
// 28 to 31; month from 1 to 12.
int daysInMonth(int month, int year);
// Whether the day exists: 30 February and 31 April do not.
bool isRealDate(int day, int month, int year);

// The date the day and month fields of an invoice (one or two digits,
// blanks around them) make in a four-digit year; nothing when they make none.
std::optional<Date> dateOfFields(std::string_view day, std::string_view month, std::string_view year);

} // namespace tessaro::calc
