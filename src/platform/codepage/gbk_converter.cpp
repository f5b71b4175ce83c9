#include "gbk_converter.h"

#include <iconv.h>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <memory>
#include <type_traits>

namespace platform::codepage {
namespace {

struct IconvCloser {
    void operator()(iconv_t handle) const noexcept { (void)iconv_close(handle); }
};
using IconvPtr = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

// One converter per direction and thread; iconv keeps shift state, so it is not shared.
iconv_t Converter(char const* to, char const* from, IconvPtr& slot)
{
    if (!slot) {
        iconv_t const handle = iconv_open(to, from);
        if (handle == reinterpret_cast<iconv_t>(-1)) {
            return nullptr;
        }
        slot.reset(handle);
    }
    (void)iconv(slot.get(), nullptr, nullptr, nullptr, nullptr); // reset the shift state
    return slot.get();
}

// Runs `converter` over [in, in + size) into `out`. On a byte sequence it cannot convert it calls
// `skip(in, remaining)`, which appends the stand-in and returns how many input bytes to pass over.
template <typename Out, typename Skip>
void Convert(iconv_t converter, char const* in, std::size_t size, Out& out, Skip skip)
{
    char buffer[4096];
    auto* input = const_cast<char*>(in);
    std::size_t inLeft = size;
    while (inLeft > 0) {
        char* output = buffer;
        std::size_t outLeft = sizeof buffer;
        std::size_t const result = iconv(converter, &input, &inLeft, &output, &outLeft);
        int const error = errno;
        auto const produced = static_cast<std::size_t>(output - buffer);
        out.append(reinterpret_cast<typename Out::value_type const*>(buffer), produced / sizeof(typename Out::value_type));
        if (result != static_cast<std::size_t>(-1) || error == E2BIG) {
            continue;
        }
        std::size_t const passed = skip(input, inLeft);
        input += passed;
        inLeft -= passed;
    }
}

bool IsGbkTrail(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

} // namespace

std::u16string DecodeGbk(std::string_view bytes)
{
    thread_local IconvPtr slot;
    std::u16string out;
    iconv_t const converter = Converter("UTF-16LE", "CP936", slot);
    if (converter == nullptr) {
        return out;
    }
    out.reserve(bytes.size());
    Convert(converter, bytes.data(), bytes.size(), out, [&out](char const* at, std::size_t left) -> std::size_t {
        out += u'?';
        auto const lead = static_cast<unsigned char>(at[0]);
        // An undefined pair is one character; a lone or stray byte is one on its own.
        return (lead >= 0x81 && lead <= 0xFE && left >= 2 && IsGbkTrail(static_cast<unsigned char>(at[1]))) ? 2 : 1;
    });
    return out;
}

std::string EncodeGbk(std::u16string_view units)
{
    thread_local IconvPtr slot;
    std::string out;
    iconv_t const converter = Converter("CP936", "UTF-16LE", slot);
    if (converter == nullptr) {
        return out;
    }
    out.reserve(units.size() * 2);
    Convert(converter, reinterpret_cast<char const*>(units.data()), units.size() * sizeof(char16_t), out,
            [&out](char const* at, std::size_t left) -> std::size_t {
                out += '?';
                char16_t unit = 0;
                std::memcpy(&unit, at, sizeof unit);
                if (left < 2 * sizeof(char16_t) || unit < 0xD800 || unit > 0xDBFF) {
                    return std::min(left, sizeof(char16_t));
                }
                char16_t next = 0;
                std::memcpy(&next, at + sizeof unit, sizeof next);
                // A surrogate pair is one character, so one "?".
                return (next >= 0xDC00 && next <= 0xDFFF) ? 2 * sizeof(char16_t) : sizeof(char16_t);
            });
    return out;
}

} // namespace platform::codepage
