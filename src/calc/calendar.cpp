#include "calc/calendar.h"

#include "calc/text.h"

#include <charconv>

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

std::optional<Date> dateOfFields(std::string_view dayText, std::string_view monthText, std::string_view year)
{
    const std::string_view day = trimBlanks(dayText);
    const std::string_view month = trimBlanks(monthText);
    const auto oneOrTwoDigits = [](std::string_view text) { return isDigits(text, 1) || isDigits(text, 2); };
    if (!isDigits(year, 4) || !oneOrTwoDigits(day) || !oneOrTwoDigits(month))
        return std::nullopt;
    const auto valueOf = [](std::string_view digits) {
        int value = 0;
        std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return value;
    };
    const Date date {valueOf(year), valueOf(month), valueOf(day)};
    if (!isRealDate(date.day, date.month, date.year))
        return std::nullopt;
    return date;
}

} // namespace tessaro::calc
