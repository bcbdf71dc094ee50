#pragma once

#include "text/text.h"

namespace vt {

// The method name of a client's method number: 0 GET, 1 POST, 2 HEAD; any other number GET.
inline Text MethodName(int method) {
    switch (method) {
        case 1:
            return "POST";
        case 2:
            return "HEAD";
        default:
            return "GET";
    }
}

}  // namespace vt
