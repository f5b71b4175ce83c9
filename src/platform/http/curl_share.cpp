#include "curl_share.h"

#include "curl_handles.h"

#include <array>
#include <mutex>

namespace platform::http {

namespace {

// One mutex per kind of shared data, since the lock callbacks are told which kind they guard.
// https://curl.se/libcurl/c/CURLSHOPT_LOCKFUNC.html
using ShareLocks = std::array<std::mutex, CURL_LOCK_DATA_LAST>;

void LockShare(CURL*, curl_lock_data data, curl_lock_access, void* locks)
{
    (*static_cast<ShareLocks*>(locks))[static_cast<std::size_t>(data)].lock();
}

void UnlockShare(CURL*, curl_lock_data data, void* locks)
{
    (*static_cast<ShareLocks*>(locks))[static_cast<std::size_t>(data)].unlock();
}

ShareHandle OpenShare(ShareLocks& locks)
{
    ShareHandle share(curl_share_init());
    if (!share)
        return nullptr;
    bool const ok = curl_share_setopt(share.get(), CURLSHOPT_USERDATA, &locks) == CURLSHE_OK
        && curl_share_setopt(share.get(), CURLSHOPT_LOCKFUNC, LockShare) == CURLSHE_OK
        && curl_share_setopt(share.get(), CURLSHOPT_UNLOCKFUNC, UnlockShare) == CURLSHE_OK
        && curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE) == CURLSHE_OK
        && curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS) == CURLSHE_OK
        && curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT) == CURLSHE_OK;
    return ok ? std::move(share) : nullptr;
}

// Members go in reverse order: the share handle, whose clean-up still takes the locks, before them.
struct Session {
    std::mutex opening;
    ShareLocks locks;
    ShareHandle share;
};

} // namespace

bool GlobalInit()
{
    static std::once_flag once;
    static bool ok = false;
    std::call_once(once, [] { ok = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    return ok;
}

CURLSH* SessionShare()
{
    static Session session;
    std::lock_guard lock(session.opening);
    if (!session.share && GlobalInit())
        session.share = OpenShare(session.locks);
    return session.share.get();
}

} // namespace platform::http
