#include "gdi/device_context.h"

#include "gdi/handle_table.h"
#include "gdi/stock_objects.h"
#include "win/kernel.h"

namespace winsim::gdi {

namespace {

HandleTable<DeviceContext>& contexts() {
    static HandleTable<DeviceContext> table(0x10000);
    return table;
}

template <typename T>
std::shared_ptr<T> stock(int index) {
    return std::static_pointer_cast<T>(stock_object(index));
}

}  // namespace

std::shared_ptr<Bitmap> default_memory_bitmap() {
    static std::shared_ptr<Bitmap> bitmap = [] {
        auto b = std::make_shared<Bitmap>(1, 1, 1, 0);
        ObjectTable::instance().add(b, true);
        return b;
    }();
    return bitmap;
}

DeviceContext::DeviceContext(Kind kind) : kind_(kind) {
    brush_ = stock<Brush>(WHITE_BRUSH);
    pen_ = stock<Pen>(BLACK_PEN);
    font_ = stock<Font>(SYSTEM_FONT);
    palette_ = stock<Palette>(DEFAULT_PALETTE);
    brush_->add_selection();
    pen_->add_selection();
    font_->add_selection();
}

DeviceContext::~DeviceContext() {
    brush_->drop_selection();
    pen_->drop_selection();
    font_->drop_selection();
    if (bitmap_) bitmap_->drop_selection();
}

HDC DeviceContext::open_window(Surface& surface, POINT origin, const Region& clip) {
    std::shared_ptr<DeviceContext> dc(new DeviceContext(Kind::Window));
    dc->surface_ = &surface;
    dc->origin_ = origin;
    dc->clip_ = clip;
    dc->clip_.intersect(RECT{0, 0, surface.width(), surface.height()});
    DeviceContext* raw = dc.get();
    raw->handle_ = reinterpret_cast<HDC>(contexts().add(std::move(dc)));
    return raw->handle_;
}

HDC DeviceContext::create_memory() {
    std::shared_ptr<DeviceContext> dc(new DeviceContext(Kind::Memory));
    dc->bitmap_ = default_memory_bitmap();
    dc->bitmap_->add_selection();
    dc->clip_ = Region(RECT{0, 0, 1, 1});
    DeviceContext* raw = dc.get();
    raw->handle_ = reinterpret_cast<HDC>(contexts().add(std::move(dc)));
    return raw->handle_;
}

DeviceContext* DeviceContext::from(HDC dc) {
    auto found = contexts().find(dc);
    if (!found) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return found.get();
}

bool DeviceContext::close(HDC dc, Kind kind) {
    auto found = contexts().find(dc);
    if (!found || found->kind_ != kind) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return contexts().remove(dc);
}

template <typename T>
HGDIOBJ DeviceContext::swap(std::shared_ptr<T>& slot, const std::shared_ptr<GdiObject>& object) {
    HGDIOBJ previous = slot->handle();
    object->add_selection();
    slot->drop_selection();
    slot = std::static_pointer_cast<T>(object);
    return previous;
}

HGDIOBJ DeviceContext::select(const std::shared_ptr<GdiObject>& object) {
    switch (object->kind()) {
        case ObjectKind::Brush: return swap(brush_, object);
        case ObjectKind::Pen: return swap(pen_, object);
        case ObjectKind::Font: return swap(font_, object);
        case ObjectKind::Bitmap: {
            if (kind_ != Kind::Memory) return nullptr;
            if (object == bitmap_) return bitmap_->handle();
            auto* incoming = static_cast<Bitmap*>(object.get());
            // A bitmap lives in one memory context at a time; the shared default may be in many.
            if (incoming->selections() > 0 && object != default_memory_bitmap()) return nullptr;
            HGDIOBJ previous = swap(bitmap_, object);
            clip_ = Region(RECT{0, 0, bitmap_->width(), bitmap_->height()});
            return previous;
        }
        case ObjectKind::Palette: return nullptr;
    }
    return nullptr;
}

HPALETTE DeviceContext::select_palette(const std::shared_ptr<Palette>& palette) {
    HGDIOBJ previous = palette_->handle();
    palette_ = palette;
    return reinterpret_cast<HPALETTE>(previous);
}

}  // namespace winsim::gdi
