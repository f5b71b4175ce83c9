#include "codepage.h"

#include "gbk_converter.h"
#include "utf8_decoder.h"

namespace platform::codepage {

std::u16string MultiByteToUtf16(std::string_view bytes, int codePage)
{
    switch (codePage) {
    case Utf8: return DecodeUtf8(bytes);
    case Gbk: return DecodeGbk(bytes);
    default: return {};
    }
}

std::string Utf16ToMultiByte(std::u16string_view units, int codePage)
{
    switch (codePage) {
    case Utf8: return EncodeUtf8(units);
    case Gbk: return EncodeGbk(units);
    default: return {};
    }
}

} // namespace platform::codepage
