#pragma once
// The access-token cache in log.ini (section access_token key ApiKey: the token; section tem
// key s: the date stamp of the day it was fetched) and its renewal. Each routine runs on a
// worker thread of its own and may wait there for the user to confirm a message.

#include <filesystem>
#include <functional>

#include "text/text.h"
#include "token/worker_context.h"

namespace vt {

// log.ini in the program directory.
std::filesystem::path TokenCachePath(const WorkerContext& context);

// The token-request address of credential pair 1 or 2.
Text TokenRequestAddress(const ServiceEndpoint& service, int pairNumber);

// Downloads a token with pair 1 or 2, leaves the answer in the hidden box 返回数据 and returns
// the token, or empty text when the request failed or the answer holds none.
Text FetchToken(const WorkerContext& context, int pairNumber);

// At start: uses the cached token, fetches the first one, or ends the program when the cache is
// too old (so that the next start fetches anew) or holds an empty token.
void CheckToken(const WorkerContext& context);

// Fetches and stores a new token unconditionally, then tells the user. `onStored` runs once
// log.ini and accessToken hold the new token, before the message.
void RenewToken(const WorkerContext& context, const std::function<void()>& onStored = {});

// After the service has rejected the token: RenewToken and then CheckToken, each on a thread of
// its own; CheckToken starts only once the renewal has stored the new token, so that it can
// never put the old one back.
void StartRenewalAfterRejection(const WorkerContext& context);

}  // namespace vt
