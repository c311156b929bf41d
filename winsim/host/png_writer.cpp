#include "host/png_writer.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace winsim::host {

namespace {

struct PngFile {
    std::FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngFile() {
        if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
        if (file) std::fclose(file);
    }
};

}  // namespace

bool write_png(const std::string& path, const gdi::Surface& surface, std::string& error) {
    if (surface.empty()) {
        error = "the screen is empty";
        return false;
    }
    PngFile out;
    out.file = std::fopen(path.c_str(), "wb");
    if (!out.file) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    out.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    out.info = out.png ? png_create_info_struct(out.png) : nullptr;
    if (!out.info) {
        error = "libpng could not start";
        return false;
    }
    std::vector<png_byte> row(static_cast<std::size_t>(surface.width()) * 3);
    if (setjmp(png_jmpbuf(out.png))) {
        error = path + ": libpng failed to write";
        return false;
    }
    png_init_io(out.png, out.file);
    png_set_IHDR(out.png, out.info, surface.width(), surface.height(), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(out.png, 3);
    png_write_info(out.png, out.info);
    for (int y = 0; y < surface.height(); ++y) {
        const std::uint32_t* in = surface.row(y);
        for (int x = 0; x < surface.width(); ++x) {
            row[3 * x] = (in[x] >> 16) & 0xFF;
            row[3 * x + 1] = (in[x] >> 8) & 0xFF;
            row[3 * x + 2] = in[x] & 0xFF;
        }
        png_write_row(out.png, row.data());
    }
    png_write_end(out.png, out.info);
    if (std::fflush(out.file) != 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace winsim::host
