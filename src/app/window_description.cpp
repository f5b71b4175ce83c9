#include "app/window_description.h"

WindowDescription const& MainWindowDescription()
{
    // The list and the status bar are stored wider and taller than the client area: the status
    // bar docks to the bottom anyway, and the list is clipped, its scroll bar and lower rows out
    // of sight under the status bar.
    static WindowDescription const description{
        .caption = "Tolvane v2.0",
        .outerWidth = 900,
        .outerHeight = 410,
        .storedLeft = 50,
        .storedTop = 50,
        .controls =
            {
                {"状态条1", ControlKind::StatusBar, 0, 474, 912, 20, "", true, false, true},
                {"按钮_批量导出种子", ControlKind::PushButton, 765, 4, 115, 27, "批量导出种子=>>", true, true, true},
                {"按钮_搜索", ControlKind::PushButton, 640, 4, 115, 27, "种子搜索>>", true, true, true},
                {"编辑框_搜索内容", ControlKind::EditBox, 50, 5, 580, 27, "", true, true, false},
                {"标签1", ControlKind::Label, 8, 5, 40, 24, "搜索：", true, false, true},
                {"超级列表框1", ControlKind::ReportList, 0, 37, 912, 456, "", true, true, true},
                {"编辑框_临时存放", ControlKind::MultiLineEditBox, 40, 72, 760, 336, "", false, true, true},
            },
        .listColumns =
            {
                {"序号", 50, ColumnAlignment::Left},
                {"片名", 600, ColumnAlignment::Left},
                {"文件大小", 80, ColumnAlignment::Centre},
                {"文件类型", 80, ColumnAlignment::Centre},
                {"下载热度", 80, ColumnAlignment::Centre},
                {"磁", 0, ColumnAlignment::Left},
                {"迅", 0, ColumnAlignment::Left},
            },
        .panes = {{150, "共获取："}, {300, "官网："}},
        .menuTitle = "菜单",
        .menuHidden = true,
        .menuItems = {"磁力链接下载->", "复制磁力链接", "迅雷链接下载->", "复制迅雷链接", "-", "批量导出种子"},
    };
    return description;
}
