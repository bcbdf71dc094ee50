#pragma once
// The request object on libcurl. Each Send is one self-contained exchange; the object keeps the
// answer until the next Open.

#include <memory>

#include "platform/curl/curl_settings.h"
#include "platform/request_object.h"

namespace vt {

// Makes libcurl request objects (creation never fails). Without SetTimeouts an object uses the
// settings' connect and stall limits; SetTimeouts replaces them (connect: its connect value;
// stall: the larger of send and receive, in whole seconds, at least 1).
class CurlRequestObjectFactory : public RequestObjectFactory {
  public:
    explicit CurlRequestObjectFactory(CurlSettings settings = {});
    std::unique_ptr<RequestObject> Create() override;

  private:
    CurlSettings settings_;
};

}  // namespace vt
