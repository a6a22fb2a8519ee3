#include "chart/model/NxChartTimeUtil.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "chart/model/NxAxis.h"

namespace norvex::chart {

const char* const NxChartTimeUtil::weekdays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
const char* const NxChartTimeUtil::abbrevWeekdays[7] = {"Sun", "Mon", "Tues", "Wed", "Thurs", "Fri", "Sat"};
const char* const NxChartTimeUtil::months[12] = {"January", "February", "March",     "April",   "May",      "June",
                                                 "July",    "August",   "September", "October", "November", "December"};
const char* const NxChartTimeUtil::abbrevMonths[12] = {"Jan", "Feb", "Mar",  "Apr", "May", "Jun",
                                                       "Jul", "Aug", "Sept", "Oct", "Nov", "Dec"};

namespace {

constexpr int64_t SEC = NxAxis::SECONDS, MIN = NxAxis::MINUTES, HOUR = NxAxis::HOURS, DAY = NxAxis::DAYS,
                  MONTH = NxAxis::MONTHS, YEAR = NxAxis::YEARS;

std::tm fields(const host::Date& d) {
    int64_t ms = d.getTime();
    time_t secs = time_t(ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000));
    std::tm tm{};
    localtime_r(&secs, &tm);
    return tm;
}

int64_t subSecond(const host::Date& d) {
    int64_t r = d.getTime() % 1000;
    return r < 0 ? r + 1000 : r;
}

host::Date fromFields(std::tm tm, int64_t millis = 0) {
    tm.tm_isdst = -1;
    time_t t = mktime(&tm);
    return host::Date(int64_t(t) * 1000 + millis);
}

std::string two(int v) { return NxChartTimeUtil::formatNumber(v, false); }

int hour12(int h) { return h % 12 == 0 ? 12 : h % 12; }

// d moved by n calendar months (or years), keeping the other fields.
host::Date addCalendar(const host::Date& d, int64_t n, bool years) {
    std::tm tm = fields(d);
    int64_t m = int64_t(tm.tm_mon) + (years ? n * 12 : n);
    int64_t y = tm.tm_year + (m >= 0 ? m / 12 : -((-m + 11) / 12));
    m -= (y - tm.tm_year) * 12;
    tm.tm_year = int(std::clamp<int64_t>(y, -100000, 100000));
    tm.tm_mon = int(m);
    return fromFields(tm, subSecond(d));
}

}  // namespace

std::string NxChartTimeUtil::formatNumber(int v, bool useBlanks) {
    if (v > 9) return std::to_string(v);
    return std::string(useBlanks ? " " : "0") + std::to_string(v < 0 ? 0 : v);
}

std::string NxChartTimeUtil::abbrevWeekday(const host::Date& d) { return abbrevWeekdays[fields(d).tm_wday]; }
std::string NxChartTimeUtil::fullWeekday(const host::Date& d) { return weekdays[fields(d).tm_wday]; }
std::string NxChartTimeUtil::abbrevMonth(const host::Date& d) { return abbrevMonths[fields(d).tm_mon]; }
std::string NxChartTimeUtil::fullMonth(const host::Date& d) { return months[fields(d).tm_mon]; }

std::string NxChartTimeUtil::monthDayYear(const host::Date& d) {
    std::tm tm = fields(d);
    return two(tm.tm_mon + 1) + "/" + two(tm.tm_mday) + "/" + two(tm.tm_year % 100);
}

std::string NxChartTimeUtil::AMPM(const host::Date& d) { return fields(d).tm_hour < 12 ? "am" : "pm"; }

std::string NxChartTimeUtil::hourMinute(const host::Date& d, bool military, bool useBlanks) {
    std::tm tm = fields(d);
    return formatNumber(military ? tm.tm_hour : hour12(tm.tm_hour), useBlanks) + ":" + two(tm.tm_min);
}

std::string NxChartTimeUtil::time(const host::Date& d, bool military, bool useBlanks) {
    return hourMinute(d, military, useBlanks) + ":" + two(fields(d).tm_sec);
}

std::string NxChartTimeUtil::timeLabel(const std::string& format, const host::Date& date) {
    std::tm tm = fields(date);
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%' || i + 1 == format.size()) {
            out += c;
            continue;
        }
        char f = format[++i];
        switch (f) {
            case '%': out += '%'; break;
            case 'a': out += abbrevWeekdays[tm.tm_wday]; break;
            case 'A': out += weekdays[tm.tm_wday]; break;
            case 'b':
            case 'h': out += abbrevMonths[tm.tm_mon]; break;
            case 'B': out += months[tm.tm_mon]; break;
            case 'c': out += timeLabel("%a %b %e %H:%M:%S %Y", date); break;
            case 'C': out += two((tm.tm_year + 1900) / 100); break;
            case 'd': out += formatNumber(tm.tm_mday, false); break;
            case 'e': out += formatNumber(tm.tm_mday, true); break;
            case 'D':
            case 'x': out += monthDayYear(date); break;
            case 'H': out += formatNumber(tm.tm_hour, false); break;
            case 'k': out += formatNumber(tm.tm_hour, true); break;
            case 'I': out += formatNumber(hour12(tm.tm_hour), false); break;
            case 'l': out += formatNumber(hour12(tm.tm_hour), true); break;
            case 'j': {
                std::string n = std::to_string(tm.tm_yday + 1);
                out += std::string(3 - n.size(), '0') + n;
                break;
            }
            case 'm': out += two(tm.tm_mon + 1); break;
            case 'M': out += two(tm.tm_min); break;
            case 'S': out += two(tm.tm_sec); break;
            case 'p': out += tm.tm_hour < 12 ? "am" : "pm"; break;
            case 'r': out += time(date, false, false) + " " + AMPM(date); break;
            case 'R': out += hourMinute(date, true, false); break;
            case 'T':
            case 'X': out += time(date, true, false); break;
            case 'n': out += "[NEWLINE]"; break;
            case 't': out += '\t'; break;
            case 'u': out += std::to_string(tm.tm_wday == 0 ? 7 : tm.tm_wday); break;
            case 'w': out += std::to_string(tm.tm_wday); break;
            case 'y': out += two(tm.tm_year % 100); break;
            case 'Y': out += std::to_string(tm.tm_year / 100 + 19) + two(tm.tm_year % 100); break;
            case 'U':
            case 'V':
            case 'W':
            case 'Z': out += '?'; break;
            default:  // unknown directives are kept as written
                out += '%';
                out += f;
        }
    }
    return out;
}

int64_t NxChartTimeUtil::niceInc(int64_t inc, const std::string& format) {
    int64_t r = 10 * YEAR;
    bool any = false;
    auto finer = [&](int64_t res) {
        r = std::min(r, res);
        any = true;
    };
    for (size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != '%') continue;
        char f = format[++i];
        switch (f) {
            case 'a': case 'A': case 'd': case 'D': case 'e': case 'U': case 'W': case 'w': case 'j': case 'x':
                finer(DAY);
                break;
            case 'b': case 'B': case 'h': case 'm': finer(MONTH); break;
            case 'H': case 'I': case 'k': case 'l': case 'p': case 'Z': finer(HOUR); break;
            case 'M': case 'R': finer(MIN); break;
            case 'Y': case 'y': case 'N': case 'o': finer(YEAR); break;
            case 'S': case 'T': case 'r': case 'c': case 'C': case 'X': finer(SEC); break;
            default: break;
        }
    }
    if (!any) r = 1;
    auto pick = [&](std::initializer_list<int64_t> steps, int64_t base) -> int64_t {
        for (int64_t s : steps)
            if (base * s >= inc) return base * s;
        return 0;
    };
    if (r < MIN) {
        if (int64_t v = pick({1, 5, 10, 15, 30}, SEC)) return v;
        r = MIN;
    }
    if (r < HOUR) {
        if (int64_t v = pick({1, 5, 10, 15, 30}, r)) return v;
        r = HOUR;
    }
    if (r < DAY) {
        if (int64_t v = pick({1, 3, 6, 12}, r)) return v;
        r = DAY;
    }
    if (r < MONTH) {
        if (int64_t v = pick({1, 2, 7, 14}, r)) return v;
        r = MONTH;
    }
    if (r < YEAR) {
        if (int64_t v = pick({1, 2, 3, 4, 6}, r)) return v;
        r = YEAR;
    }
    if (int64_t v = pick({1, 2, 5, 10}, r)) return v;
    return r * 20;
}

host::Date NxChartTimeUtil::getMinTime() { return host::Date(MIN_YEAR, 0, 1); }
host::Date NxChartTimeUtil::getMaxTime() { return host::Date(MAX_YEAR, 0, 1); }

host::Date NxChartTimeUtil::roundTime(const host::Date& d, int64_t unit, bool adjust) {
    std::tm tm = fields(d);
    int64_t count;
    int* field;
    int origin = 0;  // the first value of the field (days of the month start at 1)
    if (unit >= YEAR) {
        count = unit / YEAR;
        field = &tm.tm_year;
        origin = -1900;  // round the calendar year
    } else if (unit >= MONTH) {
        count = unit / MONTH;
        field = &tm.tm_mon;
    } else if (unit >= DAY) {
        count = unit / DAY;
        field = &tm.tm_mday;
        origin = 1;
    } else if (unit >= HOUR) {
        count = unit / HOUR;
        field = &tm.tm_hour;
    } else if (unit >= MIN) {
        count = unit / MIN;
        field = &tm.tm_min;
    } else {
        count = std::max<int64_t>(1, unit / SEC);
        field = &tm.tm_sec;
    }
    if (unit >= MIN) tm.tm_sec = 0;
    if (unit >= HOUR) tm.tm_min = 0;
    if (unit >= DAY) tm.tm_hour = 0;
    if (unit >= MONTH) tm.tm_mday = 1;
    if (unit >= YEAR) tm.tm_mon = 0;
    int64_t v = int64_t(*field) - origin;
    v = (v >= 0 ? v / count : -((-v + count - 1) / count)) * count;
    if (adjust) v += count;
    *field = int(std::clamp<int64_t>(v + origin, -1000000, 1000000));
    return fromFields(tm);
}

std::string NxChartTimeUtil::getLargestTimeLabel(const std::string& format) {
    // Wednesday, 28 September 2011: the longest full weekday and month names.
    return timeLabel(format, host::Date(111, 8, 28, 10, 38, 38));
}

std::string NxChartTimeUtil::getDefaultTimeFormat(int64_t range) {
    if (range > 63072000000LL) return "%Y";
    if (range > 31536000000LL) return "%b %y";
    if (range > 8035200000LL) return "%b";
    if (range > 1209600000LL) return "%b %d";
    if (range > 172800000LL) return "%a %d";
    if (range > 86400000LL) return "%a %H:%M";
    if (range > 3600000LL) return "%H:%M";
    return "%H:%M:%S";
}

int64_t NxChartTimeUtil::timeIncUnits(int64_t inc) {
    if (inc < MIN) return SEC;
    if (inc < HOUR) return MIN;
    if (inc < DAY) return HOUR;
    if (inc < MONTH) return DAY;
    if (inc < YEAR) return MONTH;
    return YEAR;
}

host::Date NxChartTimeUtil::addToUnit(const host::Date& d, double value, int64_t unit) {
    double t = double(d.getTime()) + value * double(timeIncUnits(unit));
    double maxT = double(getMaxTime().getTime());
    if (!(t < maxT)) return getMaxTime();  // also catches NaN
    if (t < -9.2e18) t = -9.2e18;
    return host::Date(int64_t(t));
}

host::Date NxChartTimeUtil::dataToTime(const host::Date& base, double value, int64_t unit) {
    if (!std::isfinite(value)) value = 0;
    if (unit != MONTH && unit != YEAR) {
        double t = std::clamp(double(base.getTime()) + value * double(unit), -9.2e18, 9.2e18);
        return host::Date(int64_t(t));
    }
    bool years = unit == YEAR;
    double whole = std::clamp(std::floor(value), -1.0e6, 1.0e6);
    host::Date d0 = addCalendar(base, int64_t(whole), years);
    host::Date d1 = addCalendar(base, int64_t(whole) + 1, years);
    double frac = value - whole;
    return host::Date(d0.getTime() + int64_t(std::llround(frac * double(d1.getTime() - d0.getTime()))));
}

double NxChartTimeUtil::timeToData(const host::Date& base, const host::Date& date, int64_t unit) {
    if (unit != MONTH && unit != YEAR) return double(date.getTime() - base.getTime()) / double(unit);
    bool years = unit == YEAR;
    std::tm b = fields(base), t = fields(date);
    int64_t n = years ? int64_t(t.tm_year) - b.tm_year
                      : (int64_t(t.tm_year) - b.tm_year) * 12 + (int64_t(t.tm_mon) - b.tm_mon);
    // Find the whole count n with start(n) <= date < start(n + 1).
    for (int guard = 0; guard < 4 && addCalendar(base, n, years).getTime() > date.getTime(); ++guard) --n;
    for (int guard = 0; guard < 4 && addCalendar(base, n + 1, years).getTime() <= date.getTime(); ++guard) ++n;
    int64_t d0 = addCalendar(base, n, years).getTime(), d1 = addCalendar(base, n + 1, years).getTime();
    double span = double(d1 - d0);
    return double(n) + (span > 0 ? double(date.getTime() - d0) / span : 0.0);
}

}  // namespace norvex::chart
