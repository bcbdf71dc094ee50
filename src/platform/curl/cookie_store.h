#pragma once
// The process-wide in-memory cookie store of the handle-API adapter. Internal to platform/curl.

#include <curl/curl.h>

namespace vt::curl {

// A share handle holding the cookies, safe to use from several threads at once. It lives as long
// as the process.
CURLSH* SharedCookieStore();

}  // namespace vt::curl
