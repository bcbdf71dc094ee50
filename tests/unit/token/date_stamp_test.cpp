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

// The stamps as numbers; the rows of dates are run through CheckToken in its own test.
TEST(CacheAgeTest, ReadsStampsAsLeadingNumbers) {
    const struct {
        const char* stored;
        const char* age;
        bool fresh;
    } cases[] = {
        {"", "2024118", false},
        {"abc", "2024118", false},
        {"2024117junk", "1", true},
        {"2024115.5", "2.5", true},
        {"2024114.5", "3.5", false},
        {"-5", "2024123", false},
        {"99999999999999999999999", "-99999999999999991611392", true},
    };
    for (const auto& c : cases) {
        const CacheAge age = AgeOfCache("2024118", c.stored);
        EXPECT_EQ(age.text, c.age) << "stored " << c.stored;
        EXPECT_EQ(age.fresh, c.fresh) << "stored " << c.stored;
    }
}

}  // namespace
}  // namespace vt
