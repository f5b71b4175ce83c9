#pragma once

#include <string_view>
#include <vector>

// The main window as data: what the window is made from, read in order when it is created. The
// texts are written in UTF-8 here and become GBK when the window reads them.
enum class ControlKind { StatusBar, PushButton, EditBox, Label, ReportList, MultiLineEditBox };

enum class ColumnAlignment { Left, Centre };

struct ControlDescription {
    std::string_view name;
    ControlKind kind;
    int left;
    int top;
    int width;
    int height;
    std::string_view text;
    bool visible;
    bool tabStop;
    // The 14-pixel control font; otherwise the default GUI font, as the window itself uses.
    bool controlFont;
};

struct ColumnDescription {
    std::string_view title;
    int width;
    ColumnAlignment alignment;
};

struct PaneDescription {
    int rightEdge;
    std::string_view text; // the maker's address follows the second pane's text
};

struct WindowDescription {
    std::string_view caption;
    int outerWidth;
    int outerHeight;
    // The stored position, which the window does not use: it is centred on the primary screen.
    int storedLeft;
    int storedTop;
    // In creation order, which is also the stacking order, the first on top.
    std::vector<ControlDescription> controls;
    std::vector<ColumnDescription> listColumns;
    std::vector<PaneDescription> panes;
    // The hidden top-level menu that serves as the list's popup; "-" is a separator.
    std::string_view menuTitle;
    bool menuHidden;
    std::vector<std::string_view> menuItems;
};

[[nodiscard]] WindowDescription const& MainWindowDescription();
