// A device context: where drawing goes (a window's part of a surface, or the bitmap of a
// memory context), its clip, its selected objects and its text and background state.
#pragma once

#include <memory>

#include "gdi/bitmap.h"
#include "gdi/brush.h"
#include "gdi/canvas.h"
#include "gdi/font.h"
#include "gdi/palette.h"
#include "gdi/pen.h"
#include "gdi/region.h"
#include "gdi/surface.h"
#include "win/gdi.h"

namespace winsim::gdi {

class DeviceContext {
public:
    enum class Kind { Window, Memory };

    static HDC open_window(Surface& surface, POINT origin, const Region& clip);
    static HDC create_memory();
    // Null (with ERROR_INVALID_HANDLE set) when the handle names no open context.
    static DeviceContext* from(HDC dc);
    static bool close(HDC dc, Kind kind);

    ~DeviceContext();

    Kind kind() const { return kind_; }
    HDC handle() const { return handle_; }
    Surface& surface() { return kind_ == Kind::Memory ? bitmap_->surface() : *surface_; }
    const Region& clip() const { return clip_; }
    POINT origin() const { return origin_; }
    Canvas canvas() { return Canvas(surface(), clip_, origin_); }

    Brush& brush() const { return *brush_; }
    Pen& pen() const { return *pen_; }
    Font& font() const { return *font_; }
    Palette& palette() const { return *palette_; }
    Bitmap* bitmap() const { return bitmap_.get(); }   // memory contexts only

    // Selects a brush, pen, font or bitmap; the previous object's handle, or null when the
    // object cannot be selected here (a bitmap in a window context or in another context).
    HGDIOBJ select(const std::shared_ptr<GdiObject>& object);
    HPALETTE select_palette(const std::shared_ptr<Palette>& palette);

    COLORREF text_color = RGB(0, 0, 0);
    COLORREF bk_color = RGB(255, 255, 255);
    int bk_mode = OPAQUE;
    POINT position{0, 0};

private:
    explicit DeviceContext(Kind kind);
    template <typename T>
    HGDIOBJ swap(std::shared_ptr<T>& slot, const std::shared_ptr<GdiObject>& object);

    Kind kind_;
    HDC handle_ = nullptr;
    Surface* surface_ = nullptr;   // window contexts
    Region clip_;                  // surface coordinates, within the surface
    POINT origin_{0, 0};
    std::shared_ptr<Brush> brush_;
    std::shared_ptr<Pen> pen_;
    std::shared_ptr<Font> font_;
    std::shared_ptr<Palette> palette_;
    std::shared_ptr<Bitmap> bitmap_;
};

// The 1 x 1 monochrome bitmap a new memory context holds.
std::shared_ptr<Bitmap> default_memory_bitmap();

}  // namespace winsim::gdi
