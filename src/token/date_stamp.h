#pragma once
// The date stamp stored with the cached token, and the age rule that decides whether the cache
// is still fresh. Stored files rely on both exactly as they are.

#include <string_view>

#include "text/text.h"

namespace vt {

struct LocalDate {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
};

// Today's date in the local time zone.
LocalDate LocalToday();

// Year, month and day as decimal numbers without leading zeros, joined without separator:
// 2024-01-05 gives 202415, 2024-11-25 gives 20241125. Different dates can share a stamp.
Text DateStamp(const LocalDate& date);

struct CacheAge {
    Text text;   // the difference of the two stamps in shortest decimal form
    bool fresh;  // the difference, read back as a whole number, is below 3
};

// Both stamps read as decimal numbers (text that does not begin with a number counts as 0);
// the age is today's number minus the stored number. Every negative age is fresh.
CacheAge AgeOfCache(std::string_view todayStamp, std::string_view storedStamp);

}  // namespace vt
