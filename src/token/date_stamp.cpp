#include "token/date_stamp.h"

#include <charconv>
#include <cmath>
#include <ctime>
#include <string>

namespace vt {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number at the start of the text: an optional sign, digits and an optional fraction.
double LeadingNumber(std::string_view text) {
    size_t end = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    const size_t digitsStart = end;
    while (end < text.size() && IsDigit(text[end])) ++end;
    if (end == digitsStart) return 0;
    if (end + 1 < text.size() && text[end] == '.' && IsDigit(text[end + 1])) {
        for (++end; end < text.size() && IsDigit(text[end]);) ++end;
    }
    const bool negative = text[0] == '-';
    double value = 0;
    const auto [_, error] = std::from_chars(text.data() + digitsStart, text.data() + end, value);
    if (error == std::errc::result_out_of_range) value = HUGE_VAL;
    return negative ? -value : value;
}

// Shortest decimal form that reads back as the same number; whole numbers have no fraction.
Text ShortestDecimal(double value) {
    if (value == 0) return "0";
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return Text(buffer, result.ptr);
}

}  // namespace

LocalDate LocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

Text DateStamp(const LocalDate& date) {
    return std::to_string(date.year) + std::to_string(date.month) + std::to_string(date.day);
}

CacheAge AgeOfCache(std::string_view todayStamp, std::string_view storedStamp) {
    CacheAge age;
    age.text = ShortestDecimal(LeadingNumber(todayStamp) - LeadingNumber(storedStamp));
    age.fresh = std::trunc(LeadingNumber(age.text)) < 3;
    return age;
}

}  // namespace vt
