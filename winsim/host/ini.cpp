#include "host/ini.h"

namespace winsim::host {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string_view strip_value(std::string_view raw) {
    std::string_view v = trim(raw);
    if (v.size() >= 1 && v.front() == '"') {
        std::size_t close = v.find('"', 1);
        if (close != std::string_view::npos) return v.substr(1, close - 1);
    }
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] == ';' && (i == 0 || is_blank(v[i - 1]))) return trim(v.substr(0, i));
    }
    return v;
}

}  // namespace

bool ascii_iequal(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    return true;
}

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    Section* current = nullptr;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            std::size_t close = line.find(']');
            if (close == std::string_view::npos) continue;
            ini.sections_.push_back({std::string(trim(line.substr(1, close - 1))), {}});
            current = &ini.sections_.back();
            continue;
        }
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view key = trim(line.substr(0, eq));
        if (key.empty()) continue;
        if (!current) {
            ini.sections_.push_back({std::string(), {}});
            current = &ini.sections_.back();
        }
        current->entries.push_back({std::string(key), std::string(strip_value(line.substr(eq + 1)))});
    }
    return ini;
}

const IniFile::Section* IniFile::section(std::string_view name) const {
    for (const Section& s : sections_)
        if (ascii_iequal(s.name, name)) return &s;
    return nullptr;
}

std::optional<std::string> IniFile::value(std::string_view section_name, std::string_view key) const {
    // A section may appear more than once; all its parts are searched in order.
    for (const Section& s : sections_) {
        if (!ascii_iequal(s.name, section_name)) continue;
        for (const Entry& e : s.entries)
            if (ascii_iequal(e.key, key)) return e.value;
    }
    return std::nullopt;
}

}  // namespace winsim::host
