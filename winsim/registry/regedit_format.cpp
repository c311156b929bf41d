#include "registry/regedit_format.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace winsim::registry {

namespace {

constexpr unsigned kTypeString = 1;  // REG_SZ
constexpr unsigned kTypeBinary = 3;  // REG_BINARY
constexpr unsigned kTypeDword = 4;   // REG_DWORD
constexpr std::size_t kHexBytesPerLine = 24;

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim_left(std::string_view s) {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view trim_right(std::string_view s) {
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The text split into lines, a CR before each LF dropped.
std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

class RegeditReader {
public:
    RegeditReader(std::string_view text, std::string_view root_name)
        : lines_(split_lines(text)), root_name_(root_name) {}

    RegeditParse read() {
        RegeditParse result;
        result.root = std::make_unique<RegistryKey>(std::string(root_name_));
        root_ = result.root.get();
        if (lines_.empty() || trim_right(lines_[0]) != "REGEDIT4") {
            fail(0, "the file does not begin with REGEDIT4");
        } else {
            for (index_ = 1; index_ < lines_.size() && error_.empty(); ++index_) read_line();
        }
        if (!error_.empty()) {
            result.root.reset();
            result.error_line = error_line_;
            result.error = error_;
        }
        return result;
    }

private:
    void fail(std::size_t index, std::string message) {
        if (!error_.empty()) return;
        error_line_ = static_cast<int>(index) + 1;
        error_ = std::move(message);
    }

    void read_line() {
        std::string_view line = trim_left(lines_[index_]);
        if (line.empty() || line.front() == ';') return;
        if (line.front() == '[') return read_section(trim_right(line));
        if (line.front() == '"' || line.front() == '@') return read_value(line);
        fail(index_, "unexpected text outside a section or value");
    }

    void read_section(std::string_view line) {
        if (line.size() < 2 || line.back() != ']') return fail(index_, "a section without its ]");
        std::string_view path = line.substr(1, line.size() - 2);
        bool removal = !path.empty() && path.front() == '-';
        if (removal) path.remove_prefix(1);
        std::vector<std::string_view> parts;
        while (true) {
            std::size_t slash = path.find('\\');
            parts.push_back(path.substr(0, slash));
            if (slash == std::string_view::npos) break;
            path.remove_prefix(slash + 1);
        }
        if (!names_equal(parts[0], root_name_))
            return fail(index_, "a key outside " + std::string(root_name_));
        for (std::size_t i = 1; i < parts.size(); ++i)
            if (parts[i].empty()) return fail(index_, "a key path with an empty name");
        if (removal) return remove_key(parts);
        RegistryKey* key = root_;
        for (std::size_t i = 1; i < parts.size(); ++i) key = &key->child(parts[i]);
        current_ = key;
    }

    void remove_key(const std::vector<std::string_view>& parts) {
        if (parts.size() < 2) return fail(index_, "the root key cannot be removed");
        RegistryKey* parent = root_;
        for (std::size_t i = 1; parent && i + 1 < parts.size(); ++i)
            parent = parent->find_child(parts[i]);
        if (parent) parent->remove_child(parts.back());
        current_ = nullptr;
    }

    // A quoted text with \\ and \" escapes; `rest` is left after the closing quote.
    std::optional<std::string> read_quoted(std::string_view& rest) {
        std::string out;
        std::size_t i = 1;
        for (; i < rest.size() && rest[i] != '"'; ++i) {
            if (rest[i] == '\\') {
                if (i + 1 >= rest.size() || (rest[i + 1] != '\\' && rest[i + 1] != '"')) {
                    fail(index_, "a backslash that escapes nothing");
                    return std::nullopt;
                }
                ++i;
            }
            out.push_back(rest[i]);
        }
        if (i >= rest.size()) {
            fail(index_, "a text without its closing quote");
            return std::nullopt;
        }
        rest.remove_prefix(i + 1);
        return out;
    }

    void read_value(std::string_view line) {
        if (!current_) return fail(index_, "a value outside a key");
        std::string name;
        std::string_view rest = line;
        if (rest.front() == '@') {
            rest.remove_prefix(1);
        } else {
            auto quoted = read_quoted(rest);
            if (!quoted) return;
            name = std::move(*quoted);
        }
        rest = trim_left(rest);
        if (rest.empty() || rest.front() != '=') return fail(index_, "a value name without =");
        rest = trim_left(rest.substr(1));
        read_data(name, rest);
    }

    void read_data(const std::string& name, std::string_view rest) {
        if (rest == "-" || trim_right(rest) == "-") {
            current_->delete_value(name);
            return;
        }
        if (!rest.empty() && rest.front() == '"') {
            auto text = read_quoted(rest);
            if (!text) return;
            if (!trim_right(rest).empty()) return fail(index_, "text after a quoted value");
            text->push_back('\0');
            current_->set_value(name, kTypeString, std::move(*text));
            return;
        }
        if (rest.substr(0, 6) == "dword:") {
            std::string_view digits = trim_right(rest.substr(6));
            if (digits.size() != 8) return fail(index_, "a dword without eight hex digits");
            std::uint32_t number = 0;
            for (char c : digits) {
                int d = hex_digit(c);
                if (d < 0) return fail(index_, "a dword with a character that is not hex");
                number = number << 4 | static_cast<std::uint32_t>(d);
            }
            std::string data(4, '\0');
            for (int i = 0; i < 4; ++i) data[i] = static_cast<char>(number >> (8 * i) & 0xFF);
            current_->set_value(name, kTypeDword, std::move(data));
            return;
        }
        unsigned type = kTypeBinary;
        if (rest.substr(0, 4) == "hex(") {
            std::size_t close = rest.find(')');
            std::string_view digits = rest.substr(4, close == std::string_view::npos ? 0 : close - 4);
            if (close == std::string_view::npos || digits.empty() || digits.size() > 8)
                return fail(index_, "a hex type that is not 1 to 8 hex digits");
            type = 0;
            for (char c : digits) {
                int d = hex_digit(c);
                if (d < 0) return fail(index_, "a hex type with a character that is not hex");
                type = type << 4 | static_cast<unsigned>(d);
            }
            rest.remove_prefix(close + 1);
        } else if (rest.substr(0, 3) == "hex") {
            rest.remove_prefix(3);
        } else {
            return fail(index_, "data that is neither text, dword nor hex");
        }
        if (rest.empty() || rest.front() != ':') return fail(index_, "hex data without :");
        rest.remove_prefix(1);
        std::string data;
        if (!read_hex_bytes(rest, data)) return;
        current_->set_value(name, type, std::move(data));
    }

    // Comma-separated bytes; a trailing backslash carries the list on to the next line.
    bool read_hex_bytes(std::string_view rest, std::string& data) {
        while (true) {
            rest = trim_right(trim_left(rest));
            bool continued = !rest.empty() && rest.back() == '\\';
            if (continued) rest = trim_right(rest.substr(0, rest.size() - 1));
            while (!rest.empty()) {
                std::size_t comma = rest.find(',');
                std::string_view item = trim_right(trim_left(rest.substr(0, comma)));
                bool last = comma == std::string_view::npos;
                if (item.empty() && !(last && continued)) {
                    fail(index_, "an empty byte in hex data");
                    return false;
                }
                if (!item.empty()) {
                    if (item.size() > 2 || hex_digit(item[0]) < 0 ||
                        (item.size() == 2 && hex_digit(item[1]) < 0)) {
                        fail(index_, "a byte in hex data that is not one or two hex digits");
                        return false;
                    }
                    int value = hex_digit(item[0]);
                    if (item.size() == 2) value = value * 16 + hex_digit(item[1]);
                    data.push_back(static_cast<char>(value));
                }
                if (last) break;
                rest.remove_prefix(comma + 1);
                if (rest.empty() && !continued) {
                    fail(index_, "hex data that ends in a comma");
                    return false;
                }
            }
            if (!continued) return true;
            if (index_ + 1 >= lines_.size()) {
                fail(index_, "hex data continued past the end of the file");
                return false;
            }
            rest = lines_[++index_];
        }
    }

    std::vector<std::string_view> lines_;
    std::string_view root_name_;
    RegistryKey* root_ = nullptr;
    RegistryKey* current_ = nullptr;
    std::size_t index_ = 0;
    int error_line_ = 0;
    std::string error_;
};

void append_quoted(std::string& out, std::string_view text) {
    out.push_back('"');
    for (char c : text) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
}

// A string value that reads back the same from its quoted form.
bool is_plain_string(const RegistryValue& value) {
    if (value.type != kTypeString || value.data.empty() || value.data.back() != '\0') return false;
    for (std::size_t i = 0; i + 1 < value.data.size(); ++i) {
        char c = value.data[i];
        if (c == '\0' || c == '\r' || c == '\n') return false;
    }
    return true;
}

void append_hex(std::string& out, const RegistryValue& value) {
    static const char digits[] = "0123456789abcdef";
    if (value.type == kTypeBinary) {
        out += "hex:";
    } else {
        out += "hex(";
        char buffer[9];
        int n = 0;
        unsigned type = value.type;
        do {
            buffer[n++] = digits[type & 0xF];
            type >>= 4;
        } while (type);
        while (n) out.push_back(buffer[--n]);
        out += "):";
    }
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        if (i) out += (i % kHexBytesPerLine == 0) ? ",\\\r\n  " : ",";
        auto byte = static_cast<unsigned char>(value.data[i]);
        out.push_back(digits[byte >> 4]);
        out.push_back(digits[byte & 0xF]);
    }
}

void append_value(std::string& out, const RegistryValue& value) {
    if (value.name.empty())
        out.push_back('@');
    else
        append_quoted(out, value.name);
    out.push_back('=');
    if (is_plain_string(value)) {
        append_quoted(out, std::string_view(value.data).substr(0, value.data.size() - 1));
    } else if (value.type == kTypeDword && value.data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = number << 8 | static_cast<unsigned char>(value.data[i]);
        static const char digits[] = "0123456789abcdef";
        out += "dword:";
        for (int shift = 28; shift >= 0; shift -= 4) out.push_back(digits[number >> shift & 0xF]);
    } else {
        append_hex(out, value);
    }
    out += "\r\n";
}

void append_key(std::string& out, const RegistryKey& key, const std::string& path, bool is_root) {
    if (!is_root || !key.values().empty()) {
        out += "\r\n[" + path + "]\r\n";
        for (const auto& value : key.values()) append_value(out, value);
    }
    for (const auto& [name, child] : key.children())
        append_key(out, *child, path + "\\" + child->name(), false);
}

}  // namespace

RegeditParse parse_regedit(std::string_view text, std::string_view root_name) {
    return RegeditReader(text, root_name).read();
}

std::string format_regedit(const RegistryKey& root) {
    std::string out = "REGEDIT4\r\n";
    append_key(out, root, root.name(), true);
    out += "\r\n";
    return out;
}

}  // namespace winsim::registry
