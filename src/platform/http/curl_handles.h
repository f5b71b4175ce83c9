#pragma once

// libcurl's handles as owning values. Private to the HTTP stand-in: only its .cpp files include
// this header, so libcurl's header stays out of every public one.

#include <memory>

#include <curl/curl.h>

namespace platform::http {

struct EasyDeleter {
    void operator()(CURL* easy) const noexcept { curl_easy_cleanup(easy); }
};
struct SlistDeleter {
    void operator()(curl_slist* list) const noexcept { curl_slist_free_all(list); }
};
struct ShareDeleter {
    void operator()(CURLSH* share) const noexcept { (void)curl_share_cleanup(share); }
};
struct UrlDeleter {
    void operator()(CURLU* url) const noexcept { curl_url_cleanup(url); }
};
struct CurlStringDeleter {
    void operator()(char* text) const noexcept { curl_free(text); }
};

using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using SlistHandle = std::unique_ptr<curl_slist, SlistDeleter>;
using ShareHandle = std::unique_ptr<CURLSH, ShareDeleter>;
using UrlHandle = std::unique_ptr<CURLU, UrlDeleter>;
using CurlString = std::unique_ptr<char, CurlStringDeleter>;

// curl_global_init, once per process, before the first handle; false when it failed.
[[nodiscard]] bool GlobalInit();

} // namespace platform::http
