#pragma once

// The main window as the program's logic sees it: the operations its controls offer, in Text,
// with no window-system type in sight, and the four program-wide values. search/ and actions/
// use this; app/ implements it by installing the live window's controls.
//
// Every operation is safe with no window installed: queries give the empty text, 0 or -1, and
// changes do nothing.

#include "common/text.h"

#include <cstdint>

extern std::int32_t PageCounter;
extern Text PageText;
extern Text ProgramVersion;
extern Text ServerVersion;

// The control operations the live window provides. Rows and columns are 0-based.
class MainWindowControls {
public:
    virtual ~MainWindowControls() = default;

    [[nodiscard]] virtual Text Caption() const = 0;

    [[nodiscard]] virtual Text SearchBoxContent() const = 0;
    virtual void FocusSearchBox() = 0;

    [[nodiscard]] virtual Text ExportBufferContent() const = 0;
    virtual void AppendToExportBuffer(Text const& text) = 0;

    virtual void SetSearchButtonCaption(Text const& caption) = 0;
    virtual void SetStatusPaneText(int pane, Text const& text) = 0;

    virtual void RemoveAllRows() = 0;
    [[nodiscard]] virtual int AppendRow() = 0;
    virtual void SetCellText(int row, int column, Text const& text) = 0;
    [[nodiscard]] virtual int RowCount() const = 0;
    [[nodiscard]] virtual Text CellText(int row, int column) const = 0;
    [[nodiscard]] virtual int CurrentSelection() const = 0;

    // Shows the link menu at the pointer; a picked item's action runs after this has returned.
    virtual void PopUpLinkMenu() = 0;
};

// The live window installs itself on creation and removes itself (nullptr) on destruction.
void InstallMainWindow(MainWindowControls* window);

// The operations by the names of the controls that offer them.
namespace MainWindow {
[[nodiscard]] Text Caption();
}
namespace 编辑框_搜索内容 {
[[nodiscard]] Text Content();
void Focus();
}
namespace 编辑框_临时存放 {
[[nodiscard]] Text Content();
void AppendText(Text const& text);
}
namespace 按钮_搜索 {
void SetCaption(Text const& caption);
}
namespace 状态条1 {
void SetPaneText(int pane, Text const& text);
}
namespace 超级列表框1 {
void RemoveAllRows();
[[nodiscard]] int AppendRow();
void SetCellText(int row, int column, Text const& text);
[[nodiscard]] int RowCount();
[[nodiscard]] Text CellText(int row, int column);
[[nodiscard]] int CurrentSelection();
}
namespace 菜单 {
void PopUp();
}
