#pragma once
// Strict parser of application/x-www-form-urlencoded text: request bodies and query strings.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vt::ocrd {

// name/value pairs in the order they came.
using FormFields = std::vector<std::pair<std::string, std::string>>;

// More fields than this is no request of ours; refusing them bounds the work on hostile input.
inline constexpr std::size_t kMaxFormFields = 64;

// Splits `text` at "&" into name=value fields and decodes "+" (a space) and %XX in both parts.
// Empty fields are skipped and a field without "=" has an empty value. Gives nothing for a "%"
// that is not followed by two hexadecimal digits, or for more than kMaxFormFields fields.
std::optional<FormFields> ParseForm(std::string_view text);

// The value of the first field named `name`, or null when there is none.
const std::string* FindField(const FormFields& fields, std::string_view name);

}  // namespace vt::ocrd
