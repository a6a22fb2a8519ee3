#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "chart/model/NxAxis.h"
#include "chart/model/NxChartTimeUtil.h"
#include "tests/support/FixedZone.h"

using namespace norvex::chart;
using host::Date;
using TU = NxChartTimeUtil;

namespace {

using testsupport::FixedZone;

constexpr int64_t kMin = NxAxis::MINUTES, kHour = NxAxis::HOURS, kDay = NxAxis::DAYS;

}  // namespace

TEST(NxChartTimeUtil, EveryDirective) {
    FixedZone zone("America/New_York");
    Date d(105, 0, 2, 15, 4, 9);  // Sunday 2 January 2005, 15:04:09 local
    Date morning(105, 6, 9, 0, 7, 5);  // Saturday 9 July 2005, 00:07:05
    const std::pair<const char*, const char*> table[] = {
        {"%a|%A", "Sun|Sunday"},        {"%b|%h|%B", "Jan|Jan|January"}, {"%d|%e", "02| 2"},
        {"%H|%k", "15|15"},             {"%I|%l", "03| 3"},             {"%m|%M|%S", "01|04|09"},
        {"%p", "pm"},                   {"%r", "03:04:09 pm"},          {"%R|%T", "15:04|15:04:09"},
        {"%n", "[NEWLINE]"},            {"%t", "\t"},                   {"%u|%w", "7|0"},
        {"%y|%Y", "05|2005"},           {"%U%V%W%Z", "????"},           {"%D", "01/02/05"},
        {"%j|%C", "002|20"},            {"100%%", "100%"},              {"%q and %", "%q and %"},
    };
    for (const auto& [format, text] : table) EXPECT_EQ(TU::timeLabel(format, d), text) << format;
    EXPECT_EQ(TU::timeLabel("%H|%k|%I|%l|%p|%a|%u", morning), "00| 0|12|12|am|Sat|6");
    EXPECT_EQ(TU::timeLabel("%Y", Date(99, 11, 31)), "1999");
}

TEST(NxChartTimeUtil, DefaultFormatsAndNiceIncrements) {
    EXPECT_EQ(TU::getDefaultTimeFormat(3 * NxAxis::YEARS), "%Y");
    EXPECT_EQ(TU::getDefaultTimeFormat(400 * kDay), "%b %y");
    EXPECT_EQ(TU::getDefaultTimeFormat(100 * kDay), "%b");
    EXPECT_EQ(TU::getDefaultTimeFormat(20 * kDay), "%b %d");
    EXPECT_EQ(TU::getDefaultTimeFormat(10 * kDay), "%a %d");
    EXPECT_EQ(TU::getDefaultTimeFormat(36 * kHour), "%a %H:%M");
    EXPECT_EQ(TU::getDefaultTimeFormat(90 * kMin), "%H:%M");
    EXPECT_EQ(TU::getDefaultTimeFormat(kHour), "%H:%M:%S");

    EXPECT_EQ(TU::niceInc(40 * kMin, "%H:%M"), kHour);  // minutes run out at 30
    EXPECT_EQ(TU::niceInc(25 * kDay, "%b %d"), NxAxis::MONTHS);
    EXPECT_EQ(TU::niceInc(7000, "%H:%M:%S"), 10000);
    EXPECT_EQ(TU::niceInc(4 * kHour, "%H:%M"), 6 * kHour);
    EXPECT_EQ(TU::niceInc(3 * NxAxis::YEARS, "%Y"), 5 * NxAxis::YEARS);
    EXPECT_EQ(TU::niceInc(50 * NxAxis::YEARS, "%Y"), 20 * NxAxis::YEARS);
    EXPECT_EQ(TU::niceInc(3 * kDay, "%b"), NxAxis::MONTHS);  // months are the finest field
    EXPECT_EQ(TU::niceInc(3, "no fields"), 1000);
    EXPECT_EQ(TU::niceInc(3000, "no fields"), 5000);

    EXPECT_EQ(TU::timeIncUnits(59999), NxAxis::SECONDS);
    EXPECT_EQ(TU::timeIncUnits(kMin), NxAxis::MINUTES);
    EXPECT_EQ(TU::timeIncUnits(kDay), NxAxis::DAYS);
    EXPECT_EQ(TU::timeIncUnits(7 * kDay), NxAxis::DAYS);
    EXPECT_EQ(TU::timeIncUnits(NxAxis::MONTHS), NxAxis::MONTHS);
    EXPECT_EQ(TU::timeIncUnits(2 * NxAxis::YEARS), NxAxis::YEARS);
}

TEST(NxChartTimeUtil, RoundingAndAddingInLocalTime) {
    FixedZone zone("Europe/Berlin");
    Date d(105, 4, 17, 13, 47, 31);
    EXPECT_EQ(TU::roundTime(d, 15 * kMin, false), Date(105, 4, 17, 13, 45, 0));
    EXPECT_EQ(TU::roundTime(d, 15 * kMin, true), Date(105, 4, 17, 14, 0, 0));
    EXPECT_EQ(TU::roundTime(d, 6 * kHour, false), Date(105, 4, 17, 12, 0, 0));
    EXPECT_EQ(TU::roundTime(d, 7 * kDay, false), Date(105, 4, 15));
    EXPECT_EQ(TU::roundTime(d, 3 * NxAxis::MONTHS, true), Date(105, 6, 1));
    EXPECT_EQ(TU::roundTime(d, 5 * NxAxis::YEARS, false), Date(105, 0, 1));
    // Local midnight, not UTC midnight.
    EXPECT_EQ(TU::timeLabel("%H:%M", TU::roundTime(d, kDay, false)), "00:00");

    EXPECT_EQ(TU::addToUnit(d, 2, kHour).getTime(), d.getTime() + 2 * kHour);
    EXPECT_EQ(TU::addToUnit(d, 1, 3 * NxAxis::MONTHS).getTime(), d.getTime() + NxAxis::MONTHS);
    EXPECT_EQ(TU::addToUnit(d, 1e6, NxAxis::YEARS), TU::getMaxTime());
    EXPECT_EQ(TU::timeLabel("%Y-%m-%d %H", TU::getMinTime()), "1970-01-01 00");
    EXPECT_EQ(TU::timeLabel("%Y-%m-%d %H", TU::getMaxTime()), "2037-01-01 00");

    EXPECT_EQ(TU::getLargestTimeLabel("%A %B"), "Wednesday September");
}

TEST(NxChartTimeUtil, DataValuesAndCalendarUnits) {
    FixedZone zone("America/New_York");
    Date base(105, 0, 31);  // 31 January 2005
    EXPECT_EQ(TU::dataToTime(base, 90, NxAxis::MINUTES).getTime(), base.getTime() + 90 * kMin);
    EXPECT_DOUBLE_EQ(TU::timeToData(base, Date(105, 1, 1), NxAxis::DAYS), 1.0);
    // Whole months are calendar months; the fraction spreads over the next month.
    Date twoMonths = TU::dataToTime(base, 2, NxAxis::MONTHS);
    EXPECT_EQ(TU::timeLabel("%b %d", twoMonths), "Mar 31");
    Date half = TU::dataToTime(Date(105, 1, 1), 0.5, NxAxis::MONTHS);
    EXPECT_EQ(TU::timeLabel("%b %d %H", half), "Feb 15 00");
    for (double v : {0.0, 0.25, 1.5, 13.75, -2.5}) {
        EXPECT_NEAR(TU::timeToData(base, TU::dataToTime(base, v, NxAxis::MONTHS), NxAxis::MONTHS), v, 1e-6) << v;
        EXPECT_NEAR(TU::timeToData(base, TU::dataToTime(base, v, NxAxis::YEARS), NxAxis::YEARS), v, 1e-6) << v;
    }
}
