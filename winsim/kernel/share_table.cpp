#include "kernel/share_table.h"

#include <algorithm>

namespace winsim::kernel {

ShareTable& ShareTable::instance() {
    static ShareTable table;
    return table;
}

bool ShareTable::admits(const FileIdentity& file, DWORD access, DWORD share) const {
    std::lock_guard lock(mutex_);
    for (const Open& open : opens_) {
        if (!(open.file == file)) continue;
        if ((access & ~open.share) != 0 || (open.access & ~share) != 0) return false;
    }
    return true;
}

void ShareTable::add(const void* owner, const FileIdentity& file, DWORD access, DWORD share) {
    std::lock_guard lock(mutex_);
    opens_.push_back({owner, file, access & 7, share & 7});
}

void ShareTable::remove(const void* owner) {
    std::lock_guard lock(mutex_);
    std::erase_if(opens_, [&](const Open& o) { return o.owner == owner; });
}

}  // namespace winsim::kernel
