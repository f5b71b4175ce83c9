#include "export_results.h"

#include "app/main_window.h"
#include "common/byte_buffer.h"
#include "common/gbk_literal.h"
#include "common/show_message.h"
#include "platform/files/file_replace.h"
#include "platform/files/windows_path.h"
#include "platform/shell/shell_opener.h"

#include <string>

void ExportResults()
{
    ByteBuffer const bytes = ByteBuffer::FromText(编辑框_临时存放::Content());

    // The file-system path is bytes of the file system's own, opened as they are.
    std::string const path = platform::files::MapWindowsPath(Text(ExportFilePath));
    if (path.empty() || !platform::files::ReplaceFileContent(path, bytes.Bytes())) {
        return;
    }
    if (ShowMessage(Gbk("写出成功！是否立即查看？"), 36, Gbk("提示")) == MessageAnswer::Yes) {
        platform::shell::OpenNative(path);
    }
}
