#include "check_version.h"

#include "app/main_window.h"
#include "common/end_program.h"
#include "common/gbk_literal.h"
#include "common/hosts.h"
#include "common/show_message.h"
#include "platform/shell/shell_opener.h"
#include "search/http_fetch.h"

namespace {

// Read when the check runs, so that both addresses always name the same update host.
Text VersionFileUrl()
{
    return Text("http://") + UpdateHost() + Text("/pumice.txt");
}

Text DownloadPageUrl()
{
    return Text("http://") + UpdateHost();
}

// The download page goes to the desktop's web browser; whether one starts is not this
// program's concern, it ends all the same.
void OpenWebPage(Text const& address)
{
    platform::shell::Open(address);
}

} // namespace

void CheckVersion()
{
    ProgramVersion = Text("1");
    // The body up to its first zero byte; nothing fetched gives the empty text, which differs.
    ServerVersion = HttpFetch(VersionFileUrl()).ToText();
    if (ServerVersion == ProgramVersion) {
        return;
    }
    // Each refusal brings the next notice; every way ends at the download page.
    if (ShowMessage(Gbk("系统发现最新版本，请下载最新的版本。"), 36) != MessageAnswer::Yes
        && ShowMessage(Gbk("当前不是最新版本，请下载最新的版本。"), 36) != MessageAnswer::Yes) {
        (void)ShowMessage(Gbk("很抱歉，当前版本已失效停用，请下载最新版本使用。"), 64);
    }
    OpenWebPage(DownloadPageUrl());
    EndProgram(0);
}
