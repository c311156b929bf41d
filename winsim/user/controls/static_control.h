// The "Static" class: labels (left, centred or right, wrapped at words), icons and bitmaps
// from the program's resources, with the half-sunken border of SS_SUNKEN.
#pragma once

#include <string>

#include "user/controls/control.h"

namespace winsim::controls {

class StaticControl : public Control {
public:
    static constexpr const char* class_name = "Static";
    explicit StaticControl(HWND hwnd) : Control(hwnd) {}
    ~StaticControl() override;

    LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    DWORD kind() const { return style() & SS_TYPEMASK; }

    LRESULT on_nc_create(CREATESTRUCTA* create);
    LRESULT on_create(const CREATESTRUCTA* create);
    LRESULT on_paint();
    LRESULT on_set_text(WPARAM wparam, LPARAM lparam);
    LRESULT on_set_icon(HICON icon);
    LRESULT on_set_image(UINT type, HANDLE image);
    LRESULT on_get_image(UINT type) const;

    void paint_text(HDC dc, const RECT& client);
    void paint_icon(HDC dc, const RECT& client);
    void paint_bitmap(HDC dc, const RECT& client);
    // Makes the control as large as its picture, unless the picture is centred in it.
    void fit_to_picture(int width, int height);
    void release_loaded();

    // The resource the template names for an icon or bitmap: an ordinal or a text.
    LPCSTR resource_name() const;
    WORD resource_id_ = 0;
    std::string resource_text_;

    HICON icon_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    bool owns_bitmap_ = false;
};

void register_static_class();

}  // namespace winsim::controls
