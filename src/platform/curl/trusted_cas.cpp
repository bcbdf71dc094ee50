#include "platform/curl/trusted_cas.h"

#include <openssl/err.h>
#include <openssl/opensslv.h>
#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>

#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string_view>
#include <utility>

namespace vt::curl {
namespace {

std::string FileText(const std::string& path) {
    if (path.empty()) return {};
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Both files as one PEM text, for a curl that does not run on our OpenSSL.
std::string TrustedCaPem(const std::string& systemBundle, const std::string& extraCaFile) {
    std::string pem = FileText(systemBundle);
    if (!pem.empty() && pem.back() != '\n') pem += '\n';
    return pem + FileText(extraCaFile);
}

// The store goes into curl's SSL_CTX, so curl must use the OpenSSL this code is built against.
bool CurlRunsOnOurOpenSsl() {
    static const bool same = [] {
        const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
        const std::string prefix = "OpenSSL/" + std::to_string(OPENSSL_VERSION_MAJOR) + ".";
        return info->ssl_version && std::string_view(info->ssl_version).starts_with(prefix);
    }();
    return same;
}

// The certificates of both files in a new store, or null when they hold none.
X509_STORE* NewStore(const std::string& systemBundle, const std::string& extraCaFile) {
    X509_STORE* store = X509_STORE_new();
    if (!store) return nullptr;
    for (const std::string* file : {&systemBundle, &extraCaFile}) {
        if (!file->empty()) X509_STORE_load_file(store, file->c_str());
    }
    ERR_clear_error();  // an unreadable file leaves its error on this thread's queue
    if (sk_X509_OBJECT_num(X509_STORE_get0_objects(store)) == 0) {
        X509_STORE_free(store);
        return nullptr;
    }
    // The flags curl sets on a store of its own.
    X509_STORE_set_flags(store, X509_V_FLAG_TRUSTED_FIRST | X509_V_FLAG_PARTIAL_CHAIN);
    return store;
}

// Parsing ~140 certificates costs about 20 ms, so each (system bundle, extra CA file) pair is
// parsed once and its store kept for the process lifetime: a file changed on disk afterwards is
// not read again. A program uses one pair (a test process a few). The stores are never freed,
// so a transfer on a detached thread can rely on its store until the process ends.
X509_STORE* SharedStore(const std::string& systemBundle, const std::string& extraCaFile) {
    static std::mutex mutex;
    static auto* stores = new std::map<std::pair<std::string, std::string>, X509_STORE*>;
    const std::lock_guard lock(mutex);
    auto [entry, added] = stores->try_emplace({systemBundle, extraCaFile}, nullptr);
    if (added) entry->second = NewStore(systemBundle, extraCaFile);
    return entry->second;
}

// Replaces the store of the connection's new SSL_CTX; the SSL_CTX takes its own reference.
CURLcode AttachStore(CURL*, void* sslContext, void* store) {
    SSL_CTX_set1_cert_store(static_cast<SSL_CTX*>(sslContext), static_cast<X509_STORE*>(store));
    return CURLE_OK;
}

}  // namespace

void TrustCas(CURL* easy, const std::string& systemBundle, const std::string& extraCaFile) {
    if (CurlRunsOnOurOpenSsl()) {
        X509_STORE* store = SharedStore(systemBundle, extraCaFile);
        if (!store) return;  // neither file holds a certificate: curl's own default store
        if (curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, AttachStore) == CURLE_OK) {
            curl_easy_setopt(easy, CURLOPT_SSL_CTX_DATA, store);
            // Otherwise curl still parses its default bundle for every connection.
            curl_easy_setopt(easy, CURLOPT_CAINFO, nullptr);
            curl_easy_setopt(easy, CURLOPT_CAPATH, nullptr);
            return;
        }
    }
    std::string pem = TrustedCaPem(systemBundle, extraCaFile);
    if (pem.empty()) return;
    curl_blob blob{pem.data(), pem.size(), CURL_BLOB_COPY};
    curl_easy_setopt(easy, CURLOPT_CAINFO_BLOB, &blob);
}

}  // namespace vt::curl
