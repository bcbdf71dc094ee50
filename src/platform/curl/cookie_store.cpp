#include "platform/curl/cookie_store.h"

#include <array>
#include <mutex>

#include "platform/curl/curl_global.h"

namespace vt::curl {
namespace {

std::array<std::mutex, CURL_LOCK_DATA_LAST> lockOf;

void Lock(CURL*, curl_lock_data data, curl_lock_access, void*) {
    lockOf[data].lock();
}
void Unlock(CURL*, curl_lock_data data, void*) {
    lockOf[data].unlock();
}

}  // namespace

CURLSH* SharedCookieStore() {
    static CURLSH* const store = [] {
        EnsureCurlGlobalInit();
        CURLSH* share = curl_share_init();
        curl_share_setopt(share, CURLSHOPT_LOCKFUNC, Lock);
        curl_share_setopt(share, CURLSHOPT_UNLOCKFUNC, Unlock);
        curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
        return share;
    }();
    return store;
}

}  // namespace vt::curl
