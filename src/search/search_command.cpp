#include "search/search_command.h"

#include "app/main_window.h"
#include "common/byte_buffer.h"
#include "common/gbk_literal.h"
#include "common/hosts.h"
#include "common/show_message.h"
#include "common/text.h"
#include "regex/regex_object.h"
#include "search/field_patterns.h"
#include "search/http_fetch.h"
#include "search/page_decoder.h"
#include "search/replace_pairs.h"

#include <array>
#include <cstdint>

namespace {

// The site marks the keyword inside a title with a red font tag; the list shows the bare title.
Text CleanTitle(Text const& title)
{
    static Text const redFont = Gbk(R"re(<font color="red">)re");
    static Text const fontEnd = Gbk("</font>");
    return ReplacePairs(title, std::nullopt, 0, false, redFont, Text(), fontEnd, Text());
}

struct ExportLabels {
    Text title = Gbk("片名 ");
    Text type = Gbk("文件类型:");
    Text size = Gbk("文件大小:");
    Text magnet = Gbk("磁力链接 ");
    Text thunder = Gbk("迅雷链接 ");
    Text twoBlanks = Gbk("  ");
    Text lineEnd = Gbk("\r\n");
    Text recordEnd = Gbk("\r\n\r\n");
};

ExportLabels const& Labels()
{
    static ExportLabels const labels;
    return labels;
}

Text PageUrl(Text const& keyword, std::int32_t page)
{
    // The keyword goes in as its GBK bytes exactly as typed; the HTTP client escapes what may
    // not travel raw.
    return Gbk("http://") + SiteHost() + Gbk("/search/") + keyword + Gbk("/") + Text::Number(page) +
           Gbk("-1.html");
}

} // namespace

void SearchCommand()
{
    Text const keyword = 编辑框_搜索内容::Content();
    if (keyword.Empty()) {
        (void)ShowMessage(Gbk("请输入要搜索的内容"), 64, Gbk("提示"));
        编辑框_搜索内容::Focus();
        return;
    }

    PageCounter = 0;
    按钮_搜索::SetCaption(Gbk("正在搜索>>>"));
    超级列表框1::RemoveAllRows();
    while (PageCounter < 2) {
        ++PageCounter;
        ResultPageProcessor();
    }
    按钮_搜索::SetCaption(Gbk("种子搜索"));

    int const rows = 超级列表框1::RowCount();
    for (int i = 1; i <= rows; ++i) {
        超级列表框1::SetCellText(i - 1, 0, Text::Number(i));
    }
    状态条1::SetPaneText(0, Gbk("共获取") + Text::Number(rows) + Gbk("条种子信息"));
}

void ResultPageProcessor()
{
    // The objects live exactly as long as one page's processing; each runs its pattern once over
    // the page and every field is then read from the kept matches by ordinal.
    std::array<RegexObject, FieldCount> fields;

    Text const url = PageUrl(编辑框_搜索内容::Content(), PageCounter);
    ByteBuffer const body = HttpFetch(url);
    PageText = PageDecoder(body.ToText(), true);

    auto const& patterns = FieldPatterns();
    for (std::size_t f = 0; f < FieldCount; ++f) {
        (void)fields[f].Create(patterns[f], PageText);
    }

    // Pairing is by ordinal alone: the i-th title takes the i-th match of every other pattern.
    auto const& labels = Labels();
    std::int32_t const titles = fields[Title].MatchCount();
    for (std::int32_t i = 1; i <= titles; ++i) {
        int const row = 超级列表框1::AppendRow();

        Text const title = CleanTitle(fields[Title].SubmatchText(i, 1));
        超级列表框1::SetCellText(row, 1, title);
        编辑框_临时存放::AppendText(labels.title + title + labels.twoBlanks);

        Text const type = fields[Type].SubmatchText(i, 1);
        超级列表框1::SetCellText(row, 3, type);
        编辑框_临时存放::AppendText(labels.type + type + labels.twoBlanks);

        Text const size = fields[Size].SubmatchText(i, 1);
        超级列表框1::SetCellText(row, 2, size);
        编辑框_临时存放::AppendText(labels.size + size + labels.lineEnd);

        Text const magnet = fields[Magnet].SubmatchText(i, 1);
        超级列表框1::SetCellText(row, 5, magnet);
        编辑框_临时存放::AppendText(labels.magnet + magnet + labels.lineEnd);

        超级列表框1::SetCellText(row, 4, fields[Heat].SubmatchText(i, 1));

        Text const thunder = fields[Thunder].SubmatchText(i, 1);
        超级列表框1::SetCellText(row, 6, thunder);
        编辑框_临时存放::AppendText(labels.thunder + thunder + labels.recordEnd);
    }

    for (auto& field : fields) {
        field.Destroy();
    }
}
