// Prints the colour of one pixel of an X window as RRGGBB, so that a shell script can tell
// which page a program shows; with --ppm it writes the whole window as a PPM picture instead.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

int shift_of(unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        shift++;
    }
    return shift;
}

struct Rgb {
    unsigned r, g, b;
};

Rgb rgb_of(const XImage* image, unsigned long pixel) {
    return Rgb{static_cast<unsigned>((pixel & image->red_mask) >> shift_of(image->red_mask)),
               static_cast<unsigned>((pixel & image->green_mask) >> shift_of(image->green_mask)),
               static_cast<unsigned>((pixel & image->blue_mask) >> shift_of(image->blue_mask))};
}

int write_ppm(XImage* image, const char* path) {
    FILE* out = std::fopen(path, "wb");
    if (!out) return 1;
    std::fprintf(out, "P6\n%d %d\n255\n", image->width, image->height);
    for (int y = 0; y < image->height; y++)
        for (int x = 0; x < image->width; x++) {
            Rgb c = rgb_of(image, XGetPixel(image, x, y));
            unsigned char bytes[3] = {static_cast<unsigned char>(c.r), static_cast<unsigned char>(c.g),
                                      static_cast<unsigned char>(c.b)};
            std::fwrite(bytes, 1, 3, out);
        }
    return std::fclose(out) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    bool ppm = argc == 4 && std::string_view(argv[2]) == "--ppm";
    if (argc != 4) {
        std::fprintf(stderr, "usage: window_pixel WINDOW X Y | window_pixel WINDOW --ppm FILE\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "window_pixel: cannot open the display\n");
        return 1;
    }
    Window window = std::strtoul(argv[1], nullptr, 0);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 1;
    int x = ppm ? 0 : std::atoi(argv[2]);
    int y = ppm ? 0 : std::atoi(argv[3]);
    int width = ppm ? attributes.width : 1;
    int height = ppm ? attributes.height : 1;
    if (x < 0 || y < 0 || x + width > attributes.width || y + height > attributes.height) {
        std::fprintf(stderr, "window_pixel: %d,%d lies outside the window\n", x, y);
        return 1;
    }
    XImage* image = XGetImage(display, window, x, y, width, height, AllPlanes, ZPixmap);
    if (!image) return 1;
    int status = 0;
    if (ppm) {
        status = write_ppm(image, argv[3]);
    } else {
        Rgb c = rgb_of(image, XGetPixel(image, 0, 0));
        std::printf("%02x%02x%02x\n", c.r, c.g, c.b);
    }
    XDestroyImage(image);
    XCloseDisplay(display);
    return status;
}
