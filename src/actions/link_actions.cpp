#include "link_actions.h"

#include "app/main_window.h"
#include "common/ascii_case.h"
#include "platform/clipboard/clipboard.h"
#include "platform/shell/shell_opener.h"

#include <array>
#include <string_view>

namespace {

constexpr int MagnetColumn = 5;
constexpr int ThunderColumn = 6;

// The lowest selected row's cell; with no row selected, the empty text.
Text SelectedCell(int column)
{
    int const row = 超级列表框1::CurrentSelection();
    return row < 0 ? Text() : 超级列表框1::CellText(row, column);
}

// The link column holds whatever a web page fetched over plain HTTP put there. Handed to the
// opener as it is, a page could have a local program, a path, a file: URL or an option such as
// --help opened, so only the schemes a download program or a browser takes are let through.
bool IsDownloadLink(std::string_view target)
{
    static constexpr std::array<std::string_view, 6> schemes = {
        "magnet:", "thunder:", "ed2k:", "http:", "https:", "ftp:"};
    for (std::string_view const scheme : schemes) {
        if (StartsWithIgnoringAsciiCase(target, scheme)) {
            return true;
        }
    }
    return false;
}

} // namespace

void ShowLinkMenu()
{
    菜单::PopUp();
}

void OpenMagnetLink()
{
    OpenInShell(SelectedCell(MagnetColumn));
}

void OpenThunderLink()
{
    OpenInShell(SelectedCell(ThunderColumn));
}

void CopyMagnetLink()
{
    (void)CopyTextToClipboard(SelectedCell(MagnetColumn));
}

void CopyThunderLink()
{
    (void)CopyTextToClipboard(SelectedCell(ThunderColumn));
}

void OpenInShell(Text const& target)
{
    if (!IsDownloadLink(target.Bytes())) {
        return;
    }
    platform::shell::Open(target);
}

bool CopyTextToClipboard(Text const& text)
{
    return platform::clipboard::SetText(text);
}
