#include "store/storedname.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <iconv.h>

namespace orbelle {
namespace {

// An iconv descriptor that is closed when it goes out of scope.
class Converter {
  public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) {
            iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    enum class Stop { Done, BadInput, Other };

    // Converts as much of `in` as possible, appending to `out`. On a stop,
    // `in` starts at the offending input.
    Stop convert(std::string_view& in, std::string& out) {
        char buffer[256];
        while (!in.empty()) {
            char* source = const_cast<char*>(in.data());
            std::size_t sourceLeft = in.size();
            char* target = buffer;
            std::size_t targetLeft = sizeof buffer;
            const std::size_t done = iconv(m_cd, &source, &sourceLeft, &target, &targetLeft);
            const int error = errno;
            out.append(buffer, static_cast<std::size_t>(target - buffer));
            in.remove_prefix(in.size() - sourceLeft);
            if (done != static_cast<std::size_t>(-1)) {
                continue;
            }
            if (error == E2BIG) {
                continue;
            }
            return error == EILSEQ || error == EINVAL ? Stop::BadInput : Stop::Other;
        }
        return Stop::Done;
    }

  private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence starting at text[0], or 0 when it is invalid.
std::size_t utf8Length(std::string_view text) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t code = 0;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(k) & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

StoreResult<std::string> refused(StoreStatus status) {
    StoreResult<std::string> result;
    result.status = std::move(status);
    return result;
}

StoreResult<std::string> refused(StoreError error, int errorNumber = 0) {
    return refused(StoreStatus::failure(error, {}, errorNumber));
}

} // namespace

StoreResult<std::string> encodeStoredName(std::string_view utf8) {
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t k = 0; k < utf8.size();) {
        const std::size_t length = utf8Length(utf8.substr(k));
        if (length == 0) {
            return refused(StoreError::NameNotText);
        }
        const unsigned char lead = static_cast<unsigned char>(utf8[k]);
        if (lead < 0x20 || lead == 0x7F) {
            return refused(StoreError::NameControl);
        }
        if (utf8[k] == ',') {
            text += '.';
        } else {
            text.append(utf8.substr(k, length));
        }
        k += length;
    }

    Converter converter("CP932", "UTF-8");
    if (!converter.valid()) {
        return refused(StoreError::NameCannotConvert, errno);
    }
    StoreResult<std::string> result;
    std::string_view rest = text;
    const Converter::Stop stop = converter.convert(rest, result.value);
    if (stop == Converter::Stop::BadInput) {
        const std::string character(rest.substr(0, std::max<std::size_t>(utf8Length(rest), 1)));
        return refused(StoreStatus::failure(StoreError::NameCharacter).withDetail(character));
    }
    if (stop == Converter::Stop::Other) {
        return refused(StoreError::NameCannotConvert, errno);
    }
    if (result.value.size() > kMaxStoredNameBytes) {
        return refused(
            StoreStatus::failure(StoreError::NameTooLong).withLimit(result.value.size()));
    }
    return result;
}

std::string decodeStoredName(std::string_view cp932) {
    std::string out;
    Converter converter("UTF-8", "CP932");
    if (!converter.valid()) {
        // Without a converter only the ASCII part can be shown.
        for (const char c : cp932) {
            out += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : "\xEF\xBF\xBD";
        }
        return out;
    }
    std::string_view rest = cp932;
    while (converter.convert(rest, out) != Converter::Stop::Done) {
        out += "\xEF\xBF\xBD";
        if (rest.empty()) {
            break;
        }
        rest.remove_prefix(1);
    }
    return out;
}

} // namespace orbelle
