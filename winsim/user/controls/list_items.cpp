#include "user/controls/list_items.h"

namespace winsim::controls {

namespace {

// Upper case in Windows-1252: ASCII letters and the accented letters of the upper half.
unsigned char fold(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
    if (c == 0x9A || c == 0x9C || c == 0x9E) return static_cast<unsigned char>(c - 16);
    if (c == 0xFF) return 0x9F;
    return c;
}

bool starts_with_without_case(const std::string& s, const std::string& prefix) {
    if (prefix.size() > s.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (fold(static_cast<unsigned char>(s[i])) != fold(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

}  // namespace

int compare_without_case(const std::string& a, const std::string& b) {
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        int x = fold(static_cast<unsigned char>(a[i]));
        int y = fold(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

int ListItems::add(ListItem item, bool sorted) {
    std::size_t at = items_.size();
    if (sorted) {
        at = 0;
        while (at < items_.size() && compare_without_case(items_[at].text, item.text) <= 0) ++at;
    }
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    return static_cast<int>(at);
}

std::optional<int> ListItems::insert(int index, ListItem item) {
    if (index == -1) index = count();
    if (index < 0 || index > count()) return std::nullopt;
    items_.insert(items_.begin() + index, std::move(item));
    return index;
}

bool ListItems::erase(int index) {
    if (!valid(index)) return false;
    items_.erase(items_.begin() + index);
    return true;
}

std::optional<int> ListItems::find(int start, const std::string& text, bool exact) const {
    int n = count();
    if (n == 0) return std::nullopt;
    if (start < 0 || start >= n) start = n - 1;
    for (int step = 1; step <= n; ++step) {
        int i = (start + step) % n;
        const std::string& t = items_[static_cast<std::size_t>(i)].text;
        bool hit = exact ? compare_without_case(t, text) == 0 : starts_with_without_case(t, text);
        if (hit) return i;
    }
    return std::nullopt;
}

}  // namespace winsim::controls
