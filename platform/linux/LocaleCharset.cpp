// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/LocaleCharset.h"

#include <iconv.h>
#include <langinfo.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <string_view>

namespace dravemo {
namespace {

bool IsUtf8Name(std::string_view name) {
    return name == "UTF-8" || name == "utf-8" || name == "UTF8" || name == "utf8";
}

// The length of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// An open conversion, closed when dropped.
class Conversion {
public:
    Conversion(const std::string& to, const std::string& from)
        : FHandle(::iconv_open(to.c_str(), from.c_str())) {
        if (FHandle == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("no conversion from " + from + " to " + to);
    }
    ~Conversion() { ::iconv_close(FHandle); }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    // Converts `input`; on an unconvertible sequence appends `replacement` and skips
    // `skip(first byte)` input bytes.
    template <typename Skip>
    std::string Run(std::string_view input, std::string_view replacement, Skip skip) {
        std::string output;
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = ::iconv(FHandle, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<size_t>(out - buffer));
            if (result != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            output.append(replacement);
            const size_t count = std::min(inLeft, skip(static_cast<unsigned char>(*in)));
            in += count;
            inLeft -= count;
        }
        return output;
    }

private:
    iconv_t FHandle;
};

}  // namespace

LocaleCharset::LocaleCharset() : LocaleCharset(::nl_langinfo(CODESET)) {}

LocaleCharset::LocaleCharset(std::string codeset)
    : FCodeset(std::move(codeset)), FUtf8(IsUtf8Name(FCodeset)) {}

QString LocaleCharset::Decode(const QByteArray& bytes) const {
    if (bytes.isEmpty()) return {};
    if (FUtf8) return QString::fromUtf8(bytes);
    Conversion conversion("UTF-8", FCodeset);
    const std::string text =
        conversion.Run(std::string_view(bytes.constData(), bytes.size()), "\xEF\xBF\xBD",
                       [](unsigned char) { return size_t{1}; });
    return QString::fromStdString(text);
}

QByteArray LocaleCharset::Encode(const QString& text) const {
    if (text.isEmpty()) return {};
    const QByteArray utf8 = text.toUtf8();
    if (FUtf8) return utf8;
    Conversion conversion(FCodeset, "UTF-8");
    const std::string bytes =
        conversion.Run(std::string_view(utf8.constData(), utf8.size()), "?", Utf8SequenceLength);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace dravemo
