// wsprintfA: the printf subset Windows' user library offers, into at most 1024 characters.
#include <cstdarg>
#include <cstdint>
#include <cstring>

#include "win/kernel.h"

namespace {

constexpr std::size_t kOutputLimit = 1024;   // characters, the terminator included

class Output {
public:
    explicit Output(char* buffer) : buffer_(buffer) {}
    void put(char c) {
        if (length_ < kOutputLimit - 1) buffer_[length_++] = c;
    }
    void put(const char* text, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) put(text[i]);
    }
    void pad(char c, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) put(c);
    }
    int finish() {
        buffer_[length_] = '\0';
        return int(length_);
    }

private:
    char* buffer_;
    std::size_t length_ = 0;
};

struct Spec {
    bool left = false;       // '-'
    bool zero = false;       // '0'
    bool prefix = false;     // '#': 0x before hexadecimal
    std::size_t width = 0;
    bool has_precision = false;
    std::size_t precision = 0;
};

void emit_padded(Output& out, const Spec& spec, const char* sign_or_prefix, const char* body, std::size_t n) {
    std::size_t head = std::strlen(sign_or_prefix);
    std::size_t total = head + n;
    std::size_t fill = spec.width > total ? spec.width - total : 0;
    if (spec.left) {
        out.put(sign_or_prefix, head);
        out.put(body, n);
        out.pad(' ', fill);
    } else if (spec.zero) {
        out.put(sign_or_prefix, head);
        out.pad('0', fill);
        out.put(body, n);
    } else {
        out.pad(' ', fill);
        out.put(sign_or_prefix, head);
        out.put(body, n);
    }
}

void emit_number(Output& out, const Spec& spec, std::uint64_t magnitude, bool negative, unsigned base,
                 bool upper) {
    char digits[32];
    std::size_t n = 0;
    const char* alphabet = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    do {
        digits[n++] = alphabet[magnitude % base];
        magnitude /= base;
    } while (magnitude != 0);
    std::size_t minimum = spec.has_precision ? spec.precision : 1;
    while (n < minimum && n < sizeof digits) digits[n++] = '0';
    char body[32];
    for (std::size_t i = 0; i < n; ++i) body[i] = digits[n - 1 - i];
    const char* head = negative ? "-" : (spec.prefix && base == 16) ? (upper ? "0X" : "0x") : "";
    emit_padded(out, spec, head, body, n);
}

}  // namespace

int wsprintfA(LPSTR lpOut, LPCSTR lpFmt, ...) {
    if (!lpOut) return 0;
    Output out(lpOut);
    if (!lpFmt) return out.finish();
    va_list args;
    va_start(args, lpFmt);
    for (const char* p = lpFmt; *p; ++p) {
        if (*p != '%') {
            out.put(*p);
            continue;
        }
        const char* start = p++;
        Spec spec;
        for (;; ++p) {
            if (*p == '-') spec.left = true;
            else if (*p == '0') spec.zero = true;
            else if (*p == '#') spec.prefix = true;
            else break;
        }
        while (*p >= '0' && *p <= '9') spec.width = spec.width * 10 + std::size_t(*p++ - '0');
        if (*p == '.') {
            spec.has_precision = true;
            ++p;
            while (*p >= '0' && *p <= '9') spec.precision = spec.precision * 10 + std::size_t(*p++ - '0');
        }
        bool wide_arg = false;
        if (*p == 'l') { wide_arg = true; ++p; }
        else if (*p == 'h') ++p;
        (void)wide_arg;   // long is 32-bit on Windows: %ld and %d both take an int-sized value

        switch (*p) {
        case 'd':
        case 'i': {
            std::int32_t v = va_arg(args, std::int32_t);
            std::int64_t wide = v;
            emit_number(out, spec, std::uint64_t(wide < 0 ? -wide : wide), wide < 0, 10, false);
            break;
        }
        case 'u':
            emit_number(out, spec, va_arg(args, std::uint32_t), false, 10, false);
            break;
        case 'x':
        case 'X':
            emit_number(out, spec, va_arg(args, std::uint32_t), false, 16, *p == 'X');
            break;
        case 'c': {
            char c = char(va_arg(args, int));
            Spec plain = spec;
            plain.zero = false;
            emit_padded(out, plain, "", &c, 1);
            break;
        }
        case 's': {
            const char* s = va_arg(args, const char*);
            if (!s) s = "(null)";
            std::size_t n = std::strlen(s);
            if (spec.has_precision && spec.precision < n) n = spec.precision;
            Spec plain = spec;
            plain.zero = false;
            emit_padded(out, plain, "", s, n);
            break;
        }
        case '%':
            out.put('%');
            break;
        case '\0':
            --p;   // a lone % at the end is dropped
            break;
        default:
            // Not a conversion this subset knows: copied as written.
            out.put(start, std::size_t(p - start + 1));
            break;
        }
    }
    va_end(args);
    return out.finish();
}
