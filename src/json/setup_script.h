#pragma once
// The script every document's engine starts with: the counting function and the JSON support.

#include "text/text.h"

namespace vt {

// get__count(c): the number of members `for (v in c)` visits, less two.
extern const char kCountFunction[];

// A global JSON object when the engine has none; toJSON on Date, String, Number and Boolean;
// JSON.stringify and a validating JSON.parse where missing; and the two enumerable members
// toJSONString and parseJSON on Object.prototype that the count's start value of -2 cancels.
extern const char kJsonSupport[];

// The whole setup text: the counting function, two line breaks, the JSON support.
Text SetupScript();

}  // namespace vt
