#include "util/Cp932.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace {

// iconv descriptors are cheap to keep and costly to open; one per direction.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole input; on an undecodable sequence calls onBad with
    // the output so far and skips `skip` bytes, or fails when onBad is null.
    bool Run(const std::string& in, std::string& out, const char* replacement, size_t skip) {
        out.clear();
        if (m_cd == reinterpret_cast<iconv_t>(-1)) {
            return false;
        }
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        std::vector<char> buf(in.size() * 4 + 16);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        while (srcLeft > 0) {
            char* dst = buf.data();
            size_t dstLeft = buf.size();
            size_t r = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf.data(), static_cast<size_t>(dst - buf.data()));
            if (r != static_cast<size_t>(-1)) {
                continue;
            }
            if (errno == E2BIG) {
                continue;
            }
            if (replacement == nullptr) {
                return false;
            }
            out += replacement;
            size_t n = srcLeft < skip ? srcLeft : skip;
            src += n;
            srcLeft -= n;
        }
        return true;
    }

private:
    iconv_t m_cd;
};

}  // namespace

namespace Cp932 {

std::string ToUtf8(const std::string& cp932) {
    static Converter conv("UTF-8", "CP932");
    std::string out;
    conv.Run(cp932, out, "\xEF\xBF\xBD", 1);
    return out;
}

std::optional<std::string> FromUtf8(const std::string& utf8) {
    static Converter conv("CP932", "UTF-8");
    std::string out;
    if (!conv.Run(utf8, out, nullptr, 0)) {
        return std::nullopt;
    }
    return out;
}

}  // namespace Cp932

namespace Cp932 {

size_t Find(std::string_view text, char wanted, size_t from) {
    for (size_t i = from; i < text.size(); i += CharLength(text, i)) {
        if (text[i] == wanted && CharLength(text, i) == 1) {
            return i;
        }
    }
    return std::string_view::npos;
}

size_t FindUnescaped(std::string_view text, char wanted, size_t from) {
    size_t i = from;
    while (i < text.size()) {
        size_t length = CharLength(text, i);
        if (length == 1 && text[i] == '\\') {
            i += 1;
            if (i < text.size()) {
                i += CharLength(text, i);
            }
            continue;
        }
        if (length == 1 && text[i] == wanted) {
            return i;
        }
        i += length;
    }
    return std::string_view::npos;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (size_t at = Find(text, separator); at != std::string_view::npos;
         at = Find(text, separator, start)) {
        pieces.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

}  // namespace Cp932
