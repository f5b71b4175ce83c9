#include "search/page_decoder.h"

#include "platform/codepage/codepage.h"

#include <string>
#include <string_view>

namespace {

// The value of one digit of a percent escape: a hexadecimal digit in either case gives 0..15, a
// position past the end of the page gives 0, any other byte gives -2. An escape with a bad digit
// therefore still yields a byte, which the result pages rely on as little as on anything else.
int DigitValue(std::string_view bytes, std::size_t index)
{
    if (index >= bytes.size()) return 0;
    unsigned char const byte = static_cast<unsigned char>(bytes[index]);
    if (byte >= '0' && byte <= '9') return byte - '0';
    if (byte >= 'A' && byte <= 'F') return byte - 'A' + 10;
    if (byte >= 'a' && byte <= 'f') return byte - 'a' + 10;
    return -2;
}

std::string PercentDecode(std::string_view bytes)
{
    std::string decoded;
    decoded.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (bytes[i] != '%') {
            decoded += bytes[i];
            ++i;
            continue;
        }
        // A "%" always consumes the two bytes after it, whatever they are.
        int const value = 16 * DigitValue(bytes, i + 1) + DigitValue(bytes, i + 2);
        int const byte = ((value % 256) + 256) % 256;
        if (byte != 0) decoded += static_cast<char>(byte);
        i += 3;
    }
    return decoded;
}

// UTF-16 code units travel in a ByteBuffer in the machine's own byte order.
ByteBuffer UnitsToBuffer(std::u16string_view units)
{
    ByteBuffer buffer;
    buffer.Append(units.data(), units.size() * sizeof(char16_t));
    return buffer;
}

std::u16string BufferToUnits(ByteBuffer const& buffer)
{
    std::u16string units(buffer.Size() / sizeof(char16_t), u'\0');
    std::char_traits<char>::copy(reinterpret_cast<char*>(units.data()), buffer.Data(),
                                 units.size() * sizeof(char16_t));
    return units.substr(0, units.find(u'\0'));
}

bool IsKnownCodePage(std::int32_t codePage)
{
    return codePage == platform::codepage::Utf8 || codePage == platform::codepage::Gbk;
}

} // namespace

Text PageDecoder(Text const& text, bool convert)
{
    Text decoded(PercentDecode(text.Bytes()));
    return convert ? Utf8ToGbk(decoded) : decoded;
}

Text Utf8ToGbk(Text const& text)
{
    return Utf16ToMultiByte(MultiByteToUtf16(text), platform::codepage::Gbk);
}

ByteBuffer MultiByteToUtf16(Text const& text, std::optional<std::int32_t> codePage)
{
    std::int32_t const page = codePage.value_or(platform::codepage::Utf8);
    if (!IsKnownCodePage(page)) return {};
    std::u16string units = platform::codepage::MultiByteToUtf16(text.Bytes(), page);
    units += u'\0';
    return UnitsToBuffer(units);
}

Text Utf16ToMultiByte(ByteBuffer const& utf16, std::optional<std::int32_t> codePage)
{
    std::int32_t const page = codePage.value_or(platform::codepage::Ansi);
    if (!IsKnownCodePage(page)) return {};
    return Text(platform::codepage::Utf16ToMultiByte(BufferToUnits(utf16), page));
}
