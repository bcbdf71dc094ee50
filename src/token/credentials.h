#pragma once
// The program's two client-credential pairs for the OCR service's token endpoint. The local
// service (veltrace-ocrd) accepts exactly these.

#include <array>
#include <string_view>

namespace vt {

struct CredentialPair {
    std::string_view clientId;
    std::string_view clientSecret;
};

// Pair 1 is used by the first run, pair 2 by the empty-token path and by the renewal.
inline constexpr std::array<CredentialPair, 2> kCredentialPairs = {{
    {"Qm4TvLp8RxK2nHc7WsY3bJfA", "Zt5uNw2QeLr9Hk3VbP7mXc4JsD8yGa6F"},
    {"Hb7KpQ2wZr5TnL9vXc3MdF6s", "Yp3NqV8tKc2LwR6zBm9HsJ4xDf7GuT5e"},
}};

// The pair with number 1 or 2.
inline const CredentialPair& CredentialPairNumber(int number) {
    return kCredentialPairs[number == 1 ? 0 : 1];
}

}  // namespace vt
