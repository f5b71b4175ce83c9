#include "hosts.h"

#include <utility>

namespace {
Text& SiteHostValue()
{
    static Text host(TOLVANE_SITE_HOST);
    return host;
}
Text& UpdateHostValue()
{
    static Text host(TOLVANE_UPDATE_HOST);
    return host;
}
} // namespace

Text SiteHost() { return SiteHostValue(); }
Text UpdateHost() { return UpdateHostValue(); }
Text MakerAddress() { return Text(TOLVANE_MAKER_ADDRESS); }

void TestHooks::SetSiteHost(Text host) { SiteHostValue() = std::move(host); }
void TestHooks::SetUpdateHost(Text host) { UpdateHostValue() = std::move(host); }
