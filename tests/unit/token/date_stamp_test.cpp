#include "token/date_stamp.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(DateStampTest, JoinsNumbersWithoutLeadingZeros) {
    EXPECT_EQ(DateStamp({2024, 1, 5}), "202415");
    EXPECT_EQ(DateStamp({2024, 11, 25}), "20241125");
    EXPECT_EQ(DateStamp({2024, 3, 12}), "2024312");
    EXPECT_EQ(DateStamp({2024, 1, 23}), DateStamp({2024, 12, 3}));
}

struct AgeCase {
    const char* stored;
    LocalDate today;
    const char* age;
    bool fresh;
};

TEST(CacheAgeTest, FollowsTheStampArithmetic) {
    const AgeCase cases[] = {
        {"2024115", {2024, 1, 15}, "0", true},
        {"2024115", {2024, 1, 17}, "2", true},
        {"2024115", {2024, 1, 18}, "3", false},
        {"2024131", {2024, 2, 1}, "-1821710", true},
        {"202421", {2024, 2, 2}, "1", true},
        {"202421", {2024, 2, 10}, "1821789", false},
        {"202499", {2024, 9, 10}, "1822411", false},
        {"20241231", {2025, 1, 1}, "-20038720", true},
        {"", {2024, 1, 18}, "2024118", false},
        {"abc", {2024, 1, 18}, "2024118", false},
        {"2024117junk", {2024, 1, 18}, "1", true},
        {"2024115.5", {2024, 1, 18}, "2.5", true},
        {"2024114.5", {2024, 1, 18}, "3.5", false},
        {"-5", {2024, 1, 18}, "2024123", false},
        {"99999999999999999999999", {2024, 1, 18}, "-99999999999999991611392", true},
    };
    for (const AgeCase& c : cases) {
        const CacheAge age = AgeOfCache(DateStamp(c.today), c.stored);
        EXPECT_EQ(age.text, c.age) << "stored " << c.stored;
        EXPECT_EQ(age.fresh, c.fresh) << "stored " << c.stored;
    }
}

}  // namespace
}  // namespace vt
