#include "platform/ui/gbk_qstring.h"

#include "platform/codepage/codepage.h"

#include <string>

namespace platform::ui {

QString ToQString(Text const& text)
{
    std::u16string const units = codepage::MultiByteToUtf16(text.Bytes(), codepage::Gbk);
    return QString(reinterpret_cast<QChar const*>(units.data()), static_cast<qsizetype>(units.size()));
}

Text ToText(QString const& string)
{
    std::u16string_view const units(reinterpret_cast<char16_t const*>(string.utf16()),
                                    static_cast<std::size_t>(string.size()));
    return Text(codepage::Utf16ToMultiByte(units, codepage::Gbk));
}

} // namespace platform::ui
