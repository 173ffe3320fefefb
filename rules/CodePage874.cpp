#include "rules/CodePage874.h"

#include <cerrno>
#include <iconv.h>

namespace cards {

namespace {

    constexpr char kCodePage[] = "CP874";
    constexpr char kUtf8[] = "UTF-8";
    constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

    // One iconv conversion, closed when it goes out of scope. Each call opens its own, so the
    // functions keep no state between calls.
    class Converter
    {
    public:
        Converter(const char *to, const char *from)
            : m_cd(iconv_open(to, from))
        {
        }
        ~Converter()
        {
            if (isOpen())
                iconv_close(m_cd);
        }
        Converter(const Converter &) = delete;
        Converter &operator=(const Converter &) = delete;

        bool isOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

        // Converts input into out. On an input sequence it cannot convert it stops there and
        // returns false with input advanced to that sequence, unless onInvalid handles it.
        template<typename OnInvalid>
        bool convert(std::string_view input, std::string &out, OnInvalid onInvalid)
        {
            char *in = const_cast<char *>(input.data());
            size_t inLeft = input.size();
            char buffer[256];
            while (inLeft > 0) {
                char *outPtr = buffer;
                size_t outLeft = sizeof buffer;
                const size_t result = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
                const int error = errno;
                out.append(buffer, static_cast<size_t>(outPtr - buffer));
                if (result != static_cast<size_t>(-1))
                    continue;
                if (error == E2BIG)
                    continue;
                // EILSEQ or EINVAL: a sequence that cannot be converted, or is cut short.
                if (!onInvalid(in, inLeft, out))
                    return false;
            }
            return true;
        }

    private:
        iconv_t m_cd;
    };

} // namespace

std::optional<std::string> toCodePage874(std::string_view utf8)
{
    Converter converter(kCodePage, kUtf8);
    if (!converter.isOpen())
        return std::nullopt;
    std::string bytes;
    bytes.reserve(utf8.size());
    const bool whole
        = converter.convert(utf8, bytes, [](char *&, size_t &, std::string &) { return false; });
    // glibc drops the Unicode tag characters (U+E0000 to U+E007F) without an error, so a name
    // holding one would be stored as another name. Only bytes that read back as the very same
    // text are the text's bytes.
    if (!whole || fromCodePage874(bytes) != utf8)
        return std::nullopt;
    return bytes;
}

std::string fromCodePage874(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() * 3);
    // Every byte stands alone in this code page, so an undefined one is replaced and skipped.
    auto replaceByte = [](char *&in, size_t &inLeft, std::string &out) {
        out.append(kReplacement);
        ++in;
        --inLeft;
        return true;
    };
    Converter converter(kUtf8, kCodePage);
    if (!converter.isOpen()) {
        // Without the system's converters only the ASCII half can be read with certainty.
        for (const char c : bytes) {
            if (static_cast<unsigned char>(c) < 0x80)
                text.push_back(c);
            else
                text.append(kReplacement);
        }
        return text;
    }
    converter.convert(bytes, text, replaceByte);
    return text;
}

} // namespace cards
