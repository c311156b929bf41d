// The edge of the drawing services: bitmaps and icons loaded from the program's resources,
// and the system icons.
#include <cstring>
#include <map>
#include <span>
#include <tuple>

#include "gdi/bitmap.h"
#include "gdi/dib_image.h"
#include "gdi/icon.h"
#include "win/kernel.h"
#include "win/gdi.h"
#include "win/kernel.h"

using namespace winsim::gdi;

namespace {

constexpr int kDefaultIconSize = 32;

std::span<const std::uint8_t> resource_bytes(HINSTANCE instance, LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(instance, name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(instance, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const std::uint8_t*>(data), SizeofResource(instance, found)};
}

// A screen-format bitmap made from a DIB without file header.
std::shared_ptr<Bitmap> bitmap_from_dib(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < sizeof(BITMAPINFOHEADER)) return nullptr;
    BITMAPINFOHEADER h;
    std::memcpy(&h, bytes.data(), sizeof h);
    std::size_t offset = h.biSize + 4u * DibImage::color_count(h);
    if (h.biSize < sizeof h || offset > bytes.size()) return nullptr;
    DibImage image(reinterpret_cast<const BITMAPINFO*>(bytes.data()), bytes.data() + offset, DIB_RGB_COLORS);
    if (!image.valid() || offset + image.stride() * image.height() > bytes.size()) return nullptr;
    auto bitmap = std::make_shared<Bitmap>(image.width(), image.height(), 32);
    for (int y = 0; y < image.height(); ++y) image.decode_row(image.stored_row_of_top_row(y), bitmap->surface().row(y));
    return bitmap;
}

// A copy of an icon scaled to a size, nearest pixel.
std::shared_ptr<Icon> scaled(const Icon& icon, int width, int height) {
    auto out = std::make_shared<Icon>(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int sx = x * icon.width() / width;
            int sy = y * icon.height() / height;
            out->color().set_pixel(x, y, icon.color().pixel(sx, sy));
            out->set_masked(x, y, icon.masked(sx, sy));
        }
    return out;
}

struct GroupEntry {
    int width;
    int height;
    int bit_count;
    WORD id;
};

// The image of an icon group that best fits a size: the nearest size, then the most colours.
bool best_entry(std::span<const std::uint8_t> group, int width, int height, GroupEntry& best) {
    if (group.size() < 6) return false;
    WORD type, count;
    std::memcpy(&type, group.data() + 2, 2);
    std::memcpy(&count, group.data() + 4, 2);
    if (type != 1 || group.size() < 6 + 14u * count || count == 0) return false;
    long best_score = -1;
    for (WORD i = 0; i < count; ++i) {
        const std::uint8_t* e = group.data() + 6 + 14 * i;
        GroupEntry entry;
        entry.width = e[0] ? e[0] : 256;
        entry.height = e[1] ? e[1] : 256;
        WORD bits;
        std::memcpy(&bits, e + 6, 2);
        entry.bit_count = bits ? bits : (e[2] == 2 ? 1 : e[2] == 16 ? 4 : 8);
        std::memcpy(&entry.id, e + 12, 2);
        long size_gap = std::labs(entry.width - width) + std::labs(entry.height - height);
        long score = (1000 - size_gap) * 64 + entry.bit_count;
        if (score > best_score) {
            best_score = score;
            best = entry;
        }
    }
    return true;
}

std::shared_ptr<Icon> load_group_icon(HINSTANCE instance, LPCSTR name, int width, int height) {
    auto group = resource_bytes(instance, name, RT_GROUP_ICON);
    if (group.empty()) return nullptr;
    // A zero size asks for the image's own size; the image is still chosen for the system size.
    GroupEntry entry{};
    if (!best_entry(group, width ? width : kDefaultIconSize, height ? height : kDefaultIconSize, entry)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    auto image = resource_bytes(instance, MAKEINTRESOURCEA(entry.id), RT_ICON);
    if (image.empty()) return nullptr;
    auto icon = Icon::from_image(image.data(), image.size());
    if (!icon) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    if (width == 0) width = icon->width();
    if (height == 0) height = icon->height();
    if (icon->width() != width || icon->height() != height) icon = scaled(*icon, width, height);
    return icon;
}

// Shared icons come back as the same handle for the same request.
HICON shared_handle(HINSTANCE instance, LPCSTR name, int width, int height, const std::shared_ptr<Icon>& icon) {
    static std::map<std::tuple<HINSTANCE, std::string, int, int>, HICON> handles;
    std::string key = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<std::uintptr_t>(name)) : name;
    auto k = std::make_tuple(instance, key, width, height);
    auto it = handles.find(k);
    if (it != handles.end() && find_icon(it->second)) return it->second;
    icon->set_shared(true);
    HICON handle = add_icon(icon);
    handles[k] = handle;
    return handle;
}

}  // namespace

HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    if (!instance) {
        // The system's own bitmaps are not provided.
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    auto bytes = resource_bytes(instance, name, RT_BITMAP);
    if (bytes.empty()) return nullptr;
    auto bitmap = bitmap_from_dib(bytes);
    if (!bitmap) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    return reinterpret_cast<HBITMAP>(ObjectTable::instance().add(bitmap));
}

HANDLE WINAPI LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags) {
    if (type == IMAGE_BITMAP) return LoadBitmapA(instance, name);
    if (type != IMAGE_ICON) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (flags & LR_DEFAULTSIZE) {
        if (width == 0) width = kDefaultIconSize;
        if (height == 0) height = kDefaultIconSize;
    }
    std::shared_ptr<Icon> icon;
    if (!instance) {
        icon = IS_INTRESOURCE(name) ? system_icon(static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(name))) : nullptr;
        if (!icon) {
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
            return nullptr;
        }
        int w = width ? width : icon->width();
        int h = height ? height : icon->height();
        if (w != icon->width() || h != icon->height()) icon = scaled(*icon, w, h);
        return shared_handle(instance, name, w, h, icon);
    }
    icon = load_group_icon(instance, name, width, height);
    if (!icon) return nullptr;
    if (flags & LR_SHARED) return shared_handle(instance, name, icon->width(), icon->height(), icon);
    return add_icon(icon);
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    return static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}
