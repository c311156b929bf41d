#include "product_ini.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

#include "pack_error.h"

namespace pack {

namespace {

std::string trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return "";
    std::size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

[[noreturn]] void fail(const std::string& path, int line, const std::string& message) {
    throw PackError(path + ":" + std::to_string(line) + ": " + message);
}

// Code points 0x80 to 0x9F of Windows-1252, by byte.
const char32_t windows1252_high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The Windows-1252 byte for a code point, or -1.
int windows1252_byte(char32_t cp) {
    for (int i = 0; i < 32; ++i)
        if (windows1252_high[i] == cp) return 0x80 + i;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    return -1;
}

std::string utf8_to_windows1252(const std::string& text, const std::string& path, int line) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        char32_t cp;
        int extra;
        if (c < 0x80) { cp = c; extra = 0; }
        else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; extra = 1; }
        else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; extra = 2; }
        else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; extra = 3; }
        else fail(path, line, "the text is not UTF-8");
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= text.size()) fail(path, line, "the text is not UTF-8");
            unsigned char d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0) != 0x80) fail(path, line, "the text is not UTF-8");
            cp = (cp << 6) | (d & 0x3F);
        }
        int byte = windows1252_byte(cp);
        if (byte < 0) fail(path, line, "the text holds a character that Windows-1252 cannot represent");
        out.push_back(static_cast<char>(byte));
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

long parse_number(const std::string& value, const std::string& path, int line, const std::string& key) {
    if (value.empty()) fail(path, line, key + " needs a number");
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(value.c_str(), &end, 0);
    if (*end != '\0' || errno == ERANGE) fail(path, line, key + " is not a number: '" + value + "'");
    return v;
}

std::uint32_t parse_flags(const std::string& value, const std::string& path, int line) {
    static const std::map<std::string, std::uint32_t> names = {
        {"ENTRY_IN_PROGRAM_DIR", 0x01}, {"ENTRY_TO_WINDOWS_DIR", 0x02}, {"ENTRY_ALWAYS_WRITE", 0x10}};
    std::uint64_t flags = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = value.find('|', start);
        std::string term = trim(value.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        auto named = names.find(term);
        if (named != names.end()) {
            flags |= named->second;
        } else {
            long v = parse_number(term, path, line, "flags");
            if (v < 0 || v > 0xFFFFFFFFl) fail(path, line, "flags out of range: '" + term + "'");
            flags |= static_cast<std::uint64_t>(v);
        }
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return static_cast<std::uint32_t>(flags);
}

Timestamp parse_timestamp(const std::string& value, const std::string& path, int line) {
    Timestamp t;
    t.line = line;
    char tail = 0;
    int fields = std::sscanf(value.c_str(), "%4d-%2d-%2d %2d:%2d:%2d.%3d%c", &t.year, &t.month, &t.day, &t.hour,
                             &t.minute, &t.second, &t.milliseconds, &tail);
    if (fields != 6 && fields != 7)
        fail(path, line, "file_timestamp must read YYYY-MM-DD HH:MM:SS[.mmm], not '" + value + "'");
    return t;
}

}  // namespace

ProductDescription parse_product_ini(const std::string& text, const std::string& path) {
    ProductDescription product;
    product.path = path;
    enum class Section { None, Product, Entry } section = Section::None;
    std::set<std::string> product_keys, entry_keys;
    bool product_seen = false;

    auto check_entry_complete = [&]() {
        if (section != Section::Entry) return;
        static const char* const required[] = {"file", "flags", "resource", "shortcut", "source"};
        for (const char* key : required)
            if (!entry_keys.count(key))
                fail(path, product.entries.back().line, std::string("[entry] lacks '") + key + "'");
    };

    int line_number = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        ++line_number;
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            if (line.back() != ']') fail(path, line_number, "a section heading ends with ']'");
            const std::string name = trim(line.substr(1, line.size() - 2));
            check_entry_complete();
            if (name == "product") {
                if (product_seen) fail(path, line_number, "[product] appears twice");
                product_seen = true;
                section = Section::Product;
            } else if (name == "entry") {
                section = Section::Entry;
                entry_keys.clear();
                product.entries.push_back(EntryDescription{});
                product.entries.back().line = line_number;
            } else {
                fail(path, line_number, "unknown section [" + name + "]");
            }
            continue;
        }
        std::size_t eq = line.find('=');
        if (eq == std::string::npos) fail(path, line_number, "expected 'key = value'");
        const std::string key = trim(line.substr(0, eq));
        std::string value = trim(line.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        const TextValue text_value{utf8_to_windows1252(value, path, line_number), line_number};

        if (section == Section::None) fail(path, line_number, "'" + key + "' stands before any section");
        std::set<std::string>& seen = section == Section::Product ? product_keys : entry_keys;
        if (!seen.insert(key).second) fail(path, line_number, "'" + key + "' is given twice");

        if (section == Section::Product) {
            if (key == "name") product.name = text_value;
            else if (key == "version") product.version = text_value;
            else if (key == "tagline") product.tagline = text_value;
            else if (key == "publisher") product.publisher = text_value;
            else if (key == "web_page") product.web_page = text_value;
            else if (key == "support_email") product.support_email = text_value;
            else if (key == "home_page") product.home_page = text_value;
            else if (key == "file_timestamp") product.file_timestamp = parse_timestamp(value, path, line_number);
            else if (key == "file_count") {
                product.file_count = parse_number(value, path, line_number, key);
                product.counts_line = line_number;
            } else if (key == "shortcut_count") {
                product.shortcut_count = parse_number(value, path, line_number, key);
                if (!product.counts_line) product.counts_line = line_number;
            } else fail(path, line_number, "unknown key '" + key + "' in [product]");
        } else {
            EntryDescription& entry = product.entries.back();
            if (key == "file") entry.file_name = text_value;
            else if (key == "flags") entry.flags = parse_flags(value, path, line_number);
            else if (key == "resource") entry.resource_name = text_value;
            else if (key == "shortcut") entry.shortcut_name = text_value;
            else if (key == "source") entry.source = TextValue{value, line_number};
            else fail(path, line_number, "unknown key '" + key + "' in [entry]");
        }
    }
    check_entry_complete();
    if (!product_seen) fail(path, line_number, "the description has no [product] section");
    static const char* const required[] = {"name",           "version",       "tagline",      "publisher",
                                           "web_page",       "file_timestamp", "file_count", "shortcut_count",
                                           "support_email", "home_page"};
    for (const char* key : required)
        if (!product_keys.count(key)) fail(path, line_number, std::string("[product] lacks '") + key + "'");
    return product;
}

}  // namespace pack
