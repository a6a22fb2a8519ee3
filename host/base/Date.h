// A point in time (milliseconds since the epoch) with local-time fields
// computed by the C library, so the TZ environment variable rules them.
#pragma once

#include <cstdint>
#include <string>

namespace host {

class Date {
public:
    Date();                                   // now
    explicit Date(int64_t millis) : millis_(millis) {}
    // Local time; year counts from 1900, month from 0; out-of-range fields roll over.
    Date(int year, int month, int date, int hours = 0, int minutes = 0, int seconds = 0);

    int64_t getTime() const { return millis_; }
    void setTime(int64_t millis) { millis_ = millis; }

    int getYear() const;     // years since 1900
    int getMonth() const;    // 0..11
    int getDate() const;     // day of month 1..31
    int getDay() const;      // day of week, 0 = Sunday
    int getHours() const;
    int getMinutes() const;
    int getSeconds() const;
    int getTimezoneOffset() const;  // minutes west of UTC, as the classic date type

    void setYear(int year);
    void setMonth(int month);
    void setDate(int date);
    void setHours(int hours);
    void setMinutes(int minutes);
    void setSeconds(int seconds);

    bool before(const Date& o) const { return millis_ < o.millis_; }
    bool after(const Date& o) const { return millis_ > o.millis_; }
    bool operator==(const Date&) const = default;
    auto operator<=>(const Date&) const = default;

    // "Tue Dec 08 01:06:00 UTC 2026"
    std::string toString() const;

private:
    void setField(int which, int value);
    int64_t millis_;
};

}  // namespace host
