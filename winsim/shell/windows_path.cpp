#include "shell/windows_path.h"

#include <vector>

namespace winsim::shell {

namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool same_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

// The components after "X:\", skipping empty ones.
std::vector<std::string_view> components(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t pos = path.size() >= 2 && path[1] == ':' ? 2 : 0;
    while (pos < path.size()) {
        std::size_t next = path.find('\\', pos);
        if (next == std::string_view::npos) next = path.size();
        if (next > pos) parts.push_back(path.substr(pos, next - pos));
        pos = next + 1;
    }
    return parts;
}

}  // namespace

std::optional<char> drive_letter(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return std::nullopt;
    char letter = upper(path[0]);
    if (letter < 'A' || letter > 'Z') return std::nullopt;
    return letter;
}

bool is_drive_root(std::string_view path) {
    if (!drive_letter(path)) return false;
    return path.size() == 2 || (path.size() == 3 && path[2] == '\\');
}

std::string without_trailing_backslash(std::string_view path) {
    std::string trimmed(path);
    while (trimmed.size() > 1 && trimmed.back() == '\\') trimmed.pop_back();
    if (trimmed.size() == 2 && trimmed[1] == ':' && path.size() > 2) trimmed.push_back('\\');
    return trimmed;
}

std::string last_component(std::string_view path) {
    std::string trimmed = without_trailing_backslash(path);
    if (is_drive_root(trimmed)) return trimmed;
    std::size_t slash = trimmed.rfind('\\');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string parent_folder(std::string_view path) {
    std::string trimmed = without_trailing_backslash(path);
    std::size_t slash = trimmed.rfind('\\');
    if (slash == std::string::npos) return {};
    if (slash == 2 && trimmed[1] == ':') return trimmed.substr(0, 3);
    return trimmed.substr(0, slash);
}

std::optional<std::string> relative_path(std::string_view base_folder, std::string_view target) {
    auto base_drive = drive_letter(base_folder);
    auto target_drive = drive_letter(target);
    if (!base_drive || !target_drive || *base_drive != *target_drive) return std::nullopt;
    std::vector<std::string_view> base = components(base_folder);
    std::vector<std::string_view> goal = components(target);
    std::size_t common = 0;
    while (common < base.size() && common < goal.size() && same_ignoring_case(base[common], goal[common]))
        ++common;
    std::string relative;
    if (common == base.size()) relative = ".\\";
    for (std::size_t i = common; i < base.size(); ++i) relative += "..\\";
    for (std::size_t i = common; i < goal.size(); ++i) {
        relative += goal[i];
        if (i + 1 < goal.size()) relative += '\\';
    }
    return relative;
}

}  // namespace winsim::shell
