// The drawing objects a device context selects: brushes, pens, fonts, bitmaps, palettes.
#pragma once

#include <memory>

#include "gdi/handle_table.h"
#include "win/base.h"

namespace winsim::gdi {

enum class ObjectKind { Brush, Pen, Font, Bitmap, Palette };

class GdiObject {
public:
    virtual ~GdiObject() = default;
    virtual ObjectKind kind() const = 0;

    HGDIOBJ handle() const { return handle_; }
    bool stock() const { return stock_; }
    // Device contexts that hold this object selected.
    int selections() const { return selections_; }
    void add_selection() { ++selections_; }
    void drop_selection() { --selections_; }

private:
    friend class ObjectTable;
    HGDIOBJ handle_ = nullptr;
    bool stock_ = false;
    int selections_ = 0;
};

// Every live drawing object of the process, by handle.
class ObjectTable {
public:
    static ObjectTable& instance();

    HGDIOBJ add(std::shared_ptr<GdiObject> object, bool stock = false);
    std::shared_ptr<GdiObject> find(HGDIOBJ handle) const { return table_.find(handle); }
    template <typename T>
    std::shared_ptr<T> find_as(HGDIOBJ handle, ObjectKind kind) const {
        auto object = table_.find(handle);
        if (!object || object->kind() != kind) return nullptr;
        return std::static_pointer_cast<T>(object);
    }
    bool remove(HGDIOBJ handle) { return table_.remove(handle); }

private:
    ObjectTable() : table_(0x40000) {}
    HandleTable<GdiObject> table_;
};

}  // namespace winsim::gdi
