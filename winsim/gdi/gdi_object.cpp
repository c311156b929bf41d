#include "gdi/gdi_object.h"

namespace winsim::gdi {

ObjectTable& ObjectTable::instance() {
    static ObjectTable table;
    return table;
}

HGDIOBJ ObjectTable::add(std::shared_ptr<GdiObject> object, bool stock) {
    GdiObject* raw = object.get();
    auto handle = reinterpret_cast<HGDIOBJ>(table_.add(std::move(object)));
    raw->handle_ = handle;
    raw->stock_ = stock;
    return handle;
}

}  // namespace winsim::gdi
