#include "gbk_literal.h"

#include <cerrno>

#include <iconv.h>

#include <memory>
#include <string>

// glibc's iconv belongs to the C library itself, so this lowest layer may use it without a
// dependency; the code-page stand-in in platform/ holds the program's full conversion rules.
namespace {
struct IconvCloser {
    void operator()(iconv_t handle) const noexcept { (void)iconv_close(handle); }
};
using IconvPtr = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;
} // namespace

Text Gbk(std::string_view utf8)
{
    IconvPtr const converter(iconv_open("CP936", "UTF-8"));
    if (converter.get() == reinterpret_cast<iconv_t>(-1)) {
        return Text(utf8);
    }
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        std::size_t const result = iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // A character GBK lacks, or broken UTF-8: one "?" and on past the lead byte's sequence.
            out += '?';
            ++in;
            --inLeft;
            while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
                ++in;
                --inLeft;
            }
        }
    }
    return Text(out);
}
