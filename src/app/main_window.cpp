#include "app/main_window.h"

std::int32_t PageCounter = 0;
Text PageText;
Text ProgramVersion;
Text ServerVersion;

namespace {
MainWindowControls* window = nullptr;
}

void InstallMainWindow(MainWindowControls* installed)
{
    window = installed;
}

Text MainWindow::Caption() { return window != nullptr ? window->Caption() : Text(); }

Text 编辑框_搜索内容::Content() { return window != nullptr ? window->SearchBoxContent() : Text(); }
void 编辑框_搜索内容::Focus()
{
    if (window != nullptr) window->FocusSearchBox();
}

Text 编辑框_临时存放::Content() { return window != nullptr ? window->ExportBufferContent() : Text(); }
void 编辑框_临时存放::AppendText(Text const& text)
{
    if (window != nullptr) window->AppendToExportBuffer(text);
}

void 按钮_搜索::SetCaption(Text const& caption)
{
    if (window != nullptr) window->SetSearchButtonCaption(caption);
}

void 状态条1::SetPaneText(int pane, Text const& text)
{
    if (window != nullptr) window->SetStatusPaneText(pane, text);
}

void 超级列表框1::RemoveAllRows()
{
    if (window != nullptr) window->RemoveAllRows();
}
int 超级列表框1::AppendRow() { return window != nullptr ? window->AppendRow() : -1; }
void 超级列表框1::SetCellText(int row, int column, Text const& text)
{
    if (window != nullptr) window->SetCellText(row, column, text);
}
int 超级列表框1::RowCount() { return window != nullptr ? window->RowCount() : 0; }
Text 超级列表框1::CellText(int row, int column) { return window != nullptr ? window->CellText(row, column) : Text(); }
int 超级列表框1::CurrentSelection() { return window != nullptr ? window->CurrentSelection() : -1; }

void 菜单::PopUp()
{
    if (window != nullptr) window->PopUpLinkMenu();
}
