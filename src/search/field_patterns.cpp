#include "search/field_patterns.h"

#include "common/gbk_literal.h"

std::array<Text, FieldCount> const& FieldPatterns()
{
    static std::array<Text, FieldCount> const patterns{
        Gbk(R"re(target="_blank">(.*)</a></h3>)re"),
        Gbk(R"re(<span class="cpill fileType\d{1,}">(.*)</span>)re"),
        Gbk(R"re(>(.*B)</b>)re"),
        Gbk(R"re(下载热度：<b>(\d{1,100000})</b>)re"),
        Gbk(R"re(<a href="(.*)" class="download">磁力链接</a>)re"),
        Gbk(R"re(<a href="(.*)" class="download">迅雷链接</a>)re"),
    };
    return patterns;
}
