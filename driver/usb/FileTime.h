#pragma once
// Calendar dates and the system's FILETIME ticks (100 ns since 1601-01-01), both ways.
#include <cstdint>

namespace linsett::usb {

struct Date {
    int year = 0, month = 0, day = 0;
};

// Days from 1970-01-01 in the proleptic Gregorian calendar, and back.
constexpr int64_t DaysFromCivil(Date date) {
    int64_t y = date.year - (date.month <= 2);
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr Date CivilFromDays(int64_t z) {
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    int day = int(doy - (153 * mp + 2) / 5 + 1);
    int month = int(mp < 10 ? mp + 3 : mp - 9);
    return Date{int(yoe + era * 400 + (month <= 2)), month, day};
}

constexpr int64_t kDaysFrom1601To1970 = 134774;
constexpr uint64_t kTicksPerDay = 864000000000ull;

constexpr uint64_t FileTimeFromDate(Date date) {
    return uint64_t(DaysFromCivil(date) + kDaysFrom1601To1970) * kTicksPerDay;
}

constexpr Date DateFromFileTime(uint64_t ticks) {
    return CivilFromDays(int64_t(ticks / kTicksPerDay) - kDaysFrom1601To1970);
}

}  // namespace linsett::usb
