#include "result_pages.h"

std::vector<ResultEntry> NumberedEntries(std::string const& name, int count)
{
    std::vector<ResultEntry> entries;
    for (int i = 1; i <= count; ++i) {
        std::string const n = name + std::to_string(i);
        entries.push_back({
            .title = n + R"( <font color="red">kw</font> 高清)",
            .type = "视频",
            .size = std::to_string(i) + ".5 GB",
            .heat = std::to_string(100 + i),
            .magnet = "magnet:?xt=urn:btih:" + n + "&dn=" + n,
            .thunder = "thunder://" + n,
        });
    }
    return entries;
}

std::string ResultPage(std::vector<ResultEntry> const& entries, std::string const& beforeList)
{
    std::string page = "<!DOCTYPE html>\n<html>\n<head><meta charset=\"utf-8\"><title>搜索结果</title></head>\n"
                       "<body>\n<div class=\"list\">\n" +
                       beforeList;
    for (auto const& e : entries) {
        page += "<div class=\"item\">\n"
                "<h3><a href=\"/detail/1.html\" target=\"_blank\">" + e.title + "</a></h3>\n"
                "<span class=\"cpill fileType1\">" + e.type + "</span>\n"
                "文件大小：<b>" + e.size + "</b>\n"
                "下载热度：<b>" + e.heat + "</b>\n"
                "<a href=\"" + e.magnet + "\" class=\"download\">磁力链接</a>\n"
                "<a href=\"" + e.thunder + "\" class=\"download\">迅雷链接</a>\n"
                "</div>\n";
    }
    return page + "</div>\n</body>\n</html>\n";
}
