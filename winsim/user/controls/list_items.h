// The entries of a list box: texts, per-item data and heights, sorted insertion and the
// case-blind searches that LB_FINDSTRING and LB_FINDSTRINGEXACT answer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace winsim::controls {

struct ListItem {
    std::string text;
    std::uintptr_t data = 0;
    int height = 0;
};

class ListItems {
public:
    int count() const { return static_cast<int>(items_.size()); }
    bool valid(int index) const { return index >= 0 && index < count(); }
    const ListItem& at(int index) const { return items_[static_cast<std::size_t>(index)]; }
    ListItem& at(int index) { return items_[static_cast<std::size_t>(index)]; }

    // Adds at the end, or at the sorted place (without regard to case, after equal texts).
    int add(ListItem item, bool sorted);
    // Inserts at `index`; -1 means the end. Answers the index, or nothing when it is past the end.
    std::optional<int> insert(int index, ListItem item);
    bool erase(int index);
    void clear() { items_.clear(); }

    // The first entry after `start` (wrapping round to the top, ending at `start` itself)
    // whose text equals `text` (`exact`) or begins with it, without regard to case;
    // a `start` of -1 or past the end searches from the top.
    std::optional<int> find(int start, const std::string& text, bool exact) const;

private:
    std::vector<ListItem> items_;
};

// Compares two texts the way sorted lists order them: without regard to case.
int compare_without_case(const std::string& a, const std::string& b);

}  // namespace winsim::controls
