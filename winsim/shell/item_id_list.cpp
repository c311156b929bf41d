#include "shell/item_id_list.h"

#include <cstring>
#include <vector>

#include "shell/windows_path.h"

namespace winsim::shell {

namespace {

enum ItemKind : unsigned char { computer_item = 0x4D, drive_item = 0x44, name_item = 0x4E };

class ListBuilder {
public:
    void item(ItemKind kind, std::string_view data = {}) {
        const std::size_t cb = 2 + 1 + data.size() + (kind == name_item ? 1 : 0);
        bytes_.push_back(static_cast<unsigned char>(cb));
        bytes_.push_back(static_cast<unsigned char>(cb >> 8));
        bytes_.push_back(kind);
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        if (kind == name_item) bytes_.push_back(0);
    }
    LPITEMIDLIST finish() {
        bytes_.push_back(0);
        bytes_.push_back(0);
        void* list = CoTaskMemAlloc(bytes_.size());
        if (list) std::memcpy(list, bytes_.data(), bytes_.size());
        return static_cast<LPITEMIDLIST>(list);
    }

private:
    std::vector<unsigned char> bytes_;
};

}  // namespace

LPITEMIDLIST make_computer_list() {
    ListBuilder builder;
    builder.item(computer_item);
    return builder.finish();
}

LPITEMIDLIST make_path_list(std::string_view path) {
    std::optional<char> letter = drive_letter(path);
    if (!letter || path.size() < 3 || path[2] != '\\') return nullptr;
    ListBuilder builder;
    builder.item(computer_item);
    builder.item(drive_item, std::string_view(&*letter, 1));
    std::size_t pos = 3;
    while (pos < path.size()) {
        std::size_t next = path.find('\\', pos);
        if (next == std::string_view::npos) next = path.size();
        if (next > pos) builder.item(name_item, path.substr(pos, next - pos));
        pos = next + 1;
    }
    return builder.finish();
}

std::optional<ShellLocation> read_list(LPCITEMIDLIST list) {
    if (!list) return std::nullopt;
    const unsigned char* item = reinterpret_cast<const unsigned char*>(list);
    ShellLocation location;
    for (int index = 0;; ++index) {
        const std::size_t cb = item[0] | (item[1] << 8);
        if (cb == 0) break;
        if (cb < 3) return std::nullopt;
        const unsigned char kind = item[2];
        if (index == 0 && kind == computer_item && cb == 3) {
            location.kind = ShellLocation::Kind::Computer;
        } else if (index == 1 && kind == drive_item && cb == 4) {
            location.kind = ShellLocation::Kind::Path;
            location.path = {static_cast<char>(item[3]), ':', '\\'};
        } else if (index >= 2 && kind == name_item && item[cb - 1] == 0) {
            if (location.path.back() != '\\') location.path.push_back('\\');
            location.path.append(reinterpret_cast<const char*>(item + 3), cb - 4);
        } else {
            return std::nullopt;
        }
        item += cb;
    }
    return location;
}

}  // namespace winsim::shell
