#include "host/base/Date.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace host {

namespace {

int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

std::tm localFields(int64_t millis) {
    std::time_t secs = std::time_t(floorDiv(millis, 1000));
    std::tm tm{};
    localtime_r(&secs, &tm);
    return tm;
}

int64_t fromLocal(std::tm tm, int64_t millisPart) {
    tm.tm_isdst = -1;
    std::time_t secs = mktime(&tm);
    return int64_t(secs) * 1000 + millisPart;
}

int64_t millisPart(int64_t millis) { return millis - floorDiv(millis, 1000) * 1000; }

}  // namespace

Date::Date()
    : millis_(std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::system_clock::now().time_since_epoch())
                  .count()) {}

Date::Date(int year, int month, int date, int hours, int minutes, int seconds) {
    std::tm tm{};
    tm.tm_year = year;
    tm.tm_mon = month;
    tm.tm_mday = date;
    tm.tm_hour = hours;
    tm.tm_min = minutes;
    tm.tm_sec = seconds;
    millis_ = fromLocal(tm, 0);
}

int Date::getYear() const { return localFields(millis_).tm_year; }
int Date::getMonth() const { return localFields(millis_).tm_mon; }
int Date::getDate() const { return localFields(millis_).tm_mday; }
int Date::getDay() const { return localFields(millis_).tm_wday; }
int Date::getHours() const { return localFields(millis_).tm_hour; }
int Date::getMinutes() const { return localFields(millis_).tm_min; }
int Date::getSeconds() const { return localFields(millis_).tm_sec; }
int Date::getTimezoneOffset() const { return int(-localFields(millis_).tm_gmtoff / 60); }

void Date::setField(int which, int value) {
    std::tm tm = localFields(millis_);
    switch (which) {
        case 0: tm.tm_year = value; break;
        case 1: tm.tm_mon = value; break;
        case 2: tm.tm_mday = value; break;
        case 3: tm.tm_hour = value; break;
        case 4: tm.tm_min = value; break;
        default: tm.tm_sec = value; break;
    }
    millis_ = fromLocal(tm, millisPart(millis_));
}

void Date::setYear(int v) { setField(0, v); }
void Date::setMonth(int v) { setField(1, v); }
void Date::setDate(int v) { setField(2, v); }
void Date::setHours(int v) { setField(3, v); }
void Date::setMinutes(int v) { setField(4, v); }
void Date::setSeconds(int v) { setField(5, v); }

std::string Date::toString() const {
    std::tm tm = localFields(millis_);
    char buf[64];
    std::strftime(buf, sizeof buf, "%a %b %d %H:%M:%S %Z %Y", &tm);
    return buf;
}

}  // namespace host
