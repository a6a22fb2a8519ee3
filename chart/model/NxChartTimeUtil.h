// Date arithmetic and the "%" date format of time-axis labels. Dates are host::Date
// (milliseconds since the epoch) with local-time fields, so TZ rules them.
#pragma once

#include <cstdint>
#include <string>

#include "host/base/Date.h"

namespace norvex::chart {

class NxChartTimeUtil {
public:
    // Years counted from 1900: time labels cover 1970-01-01 up to 2037-01-01 local time.
    static constexpr int MIN_YEAR = 70;
    static constexpr int MAX_YEAR = 137;

    static const char* const weekdays[7];
    static const char* const abbrevWeekdays[7];
    static const char* const months[12];
    static const char* const abbrevMonths[12];

    // The format applied to the date: "%a" weekday, "%b" month, "%d" day, "%H" hour,
    // "%M" minutes ... (see the source for the full list); "%n" gives "[NEWLINE]".
    static std::string timeLabel(const std::string& format, const host::Date& date);
    // A round step of at least inc milliseconds that the format's finest field can show.
    static int64_t niceInc(int64_t inc, const std::string& format);
    static host::Date getMinTime();
    static host::Date getMaxTime();
    // Clears the fields below the unit and rounds the unit's field down to a multiple
    // of its count; with adjust, one more count is added.
    static host::Date roundTime(const host::Date& d, int64_t unit, bool adjust);
    // The format applied to a date whose month and weekday names are the longest.
    static std::string getLargestTimeLabel(const std::string& format);
    // A format suited to a range of that many milliseconds.
    static std::string getDefaultTimeFormat(int64_t range);
    // The stepping unit of an increment: SECONDS .. YEARS of NxAxis (never WEEKS).
    static int64_t timeIncUnits(int64_t inc);
    // d + value units (unit taken by its class as in timeIncUnits), at most getMaxTime().
    static host::Date addToUnit(const host::Date& d, double value, int64_t unit);

    // A data value counted in units after base, and back. Months and years are
    // calendar months and years, their fraction spread over the following one.
    static host::Date dataToTime(const host::Date& base, double value, int64_t unit);
    static double timeToData(const host::Date& base, const host::Date& date, int64_t unit);

    static std::string abbrevWeekday(const host::Date& d);
    static std::string fullWeekday(const host::Date& d);
    static std::string abbrevMonth(const host::Date& d);
    static std::string fullMonth(const host::Date& d);
    // "MM/DD/YY".
    static std::string monthDayYear(const host::Date& d);
    // Two characters for v below 10: a leading blank (useBlanks) or "0".
    static std::string formatNumber(int v, bool useBlanks);
    static std::string time(const host::Date& d, bool military, bool useBlanks);
    static std::string AMPM(const host::Date& d);
    static std::string hourMinute(const host::Date& d, bool military, bool useBlanks);
};

}  // namespace norvex::chart
