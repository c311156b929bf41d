#include "host/sdl_display.h"

#include <SDL.h>

#include "gdi/leak_suppressions.h"

#include <algorithm>
#include <cstring>

namespace winsim::host {

namespace {

constexpr std::uint64_t kFrameMs = 16;

// Windows virtual-key codes of the keys the host can deliver.
unsigned virtual_key(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
    switch (key) {
        case SDLK_BACKSPACE: return 0x08;
        case SDLK_TAB: return 0x09;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return 0x0D;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return 0x10;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return 0x11;
        case SDLK_LALT:
        case SDLK_RALT: return 0x12;
        case SDLK_ESCAPE: return 0x1B;
        case SDLK_SPACE: return 0x20;
        case SDLK_PAGEUP: return 0x21;
        case SDLK_PAGEDOWN: return 0x22;
        case SDLK_END: return 0x23;
        case SDLK_HOME: return 0x24;
        case SDLK_LEFT: return 0x25;
        case SDLK_UP: return 0x26;
        case SDLK_RIGHT: return 0x27;
        case SDLK_DOWN: return 0x28;
        case SDLK_INSERT: return 0x2D;
        case SDLK_DELETE: return 0x2E;
        default: return 0;
    }
}

// The Windows-1252 byte of a Unicode character, or 0 when it has none.
unsigned char ansi_of(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    static constexpr char32_t kHigh[32] = {
        0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
        0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return static_cast<unsigned char>(0x80 + i);
    return 0;
}

// Decodes UTF-8 text into its characters.
template <typename F>
void each_character(const char* text, F&& f) {
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        char32_t c = *p;
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        c &= extra == 3 ? 0x07 : extra == 2 ? 0x0F : extra == 1 ? 0x1F : 0x7F;
        ++p;
        for (int i = 0; i < extra && (*p & 0xC0) == 0x80; ++i, ++p) c = (c << 6) | (*p & 0x3F);
        f(c);
    }
}

bool shift_down() { return (SDL_GetModState() & KMOD_SHIFT) != 0; }

}  // namespace

std::unique_ptr<SdlDisplay> SdlDisplay::open(int width, int height, std::string& error) {
    gdi::keep_leak_suppressions();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return nullptr;
    }
    // The picture is composed in memory already; left to itself SDL would show it through a
    // GPU texture and, on X11, destroy and recreate the window as an OpenGL one on the first
    // frame, which flashes it and changes its identity under any tool that watches it.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Window* window = SDL_CreateWindow("winsim", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                          width, height, SDL_WINDOW_SHOWN);
    if (!window) {
        error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    SDL_StartTextInput();
    return std::unique_ptr<SdlDisplay>(new SdlDisplay(width, height, window));
}

SdlDisplay::SdlDisplay(int width, int height, SDL_Window* window) : Display(width, height), window_(window) {}

SdlDisplay::~SdlDisplay() {
    // SDL itself stays up until the process ends: quitting its video would unload the
    // desktop-bus library it loaded, together with the memory that library still holds.
    SDL_DestroyWindow(window_);
}

void SdlDisplay::present(std::span<const Layer> layers) {
    Display::present(layers);
    dirty_ = true;
    show_if_due();
}

void SdlDisplay::show_if_due() {
    if (!dirty_) return;
    std::uint64_t now = SDL_GetTicks64();
    if (last_frame_ms_ != 0 && now - last_frame_ms_ < kFrameMs) return;
    show();
    last_frame_ms_ = now;
}

void SdlDisplay::show() {
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (!target) return;
    SDL_LockSurface(target);
    int w = std::min(target->w, screen_.width());
    int h = std::min(target->h, screen_.height());
    SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_RGB888, screen_.row(0), screen_.width() * 4,
                      target->format->format, target->pixels, target->pitch);
    SDL_UnlockSurface(target);
    SDL_UpdateWindowSurface(window_);
    dirty_ = false;
}

void SdlDisplay::translate_pending() {
    SDL_Event e;
    while (pending_.empty() && SDL_PollEvent(&e)) {
        InputEvent in;
        switch (e.type) {
            case SDL_QUIT:
                in.kind = InputEvent::Kind::Quit;
                pending_.push_back(in);
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                    in.kind = InputEvent::Kind::Quit;
                    pending_.push_back(in);
                } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
                    dirty_ = true;
                }
                break;
            case SDL_MOUSEMOTION:
                in.kind = InputEvent::Kind::MouseMove;
                in.x = e.motion.x;
                in.y = e.motion.y;
                in.shift = shift_down();
                pending_.push_back(in);
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                if (e.button.button != SDL_BUTTON_LEFT && e.button.button != SDL_BUTTON_RIGHT) break;
                in.kind = e.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Kind::MouseDown : InputEvent::Kind::MouseUp;
                in.x = e.button.x;
                in.y = e.button.y;
                in.button = e.button.button == SDL_BUTTON_LEFT ? 0 : 1;
                in.shift = shift_down();
                pending_.push_back(in);
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                unsigned vk = virtual_key(e.key.keysym.sym);
                if (!vk) break;
                in.kind = e.type == SDL_KEYDOWN ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
                in.key = vk;
                in.shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
                pending_.push_back(in);
                // The control characters that typing these keys sends; text input covers the rest.
                if (e.type == SDL_KEYDOWN && (vk == 0x08 || vk == 0x09 || vk == 0x0D || vk == 0x1B)) {
                    InputEvent ch;
                    ch.kind = InputEvent::Kind::Char;
                    ch.ch = static_cast<unsigned char>(vk);
                    ch.shift = in.shift;
                    pending_.push_back(ch);
                }
                break;
            }
            case SDL_TEXTINPUT:
                each_character(e.text.text, [&](char32_t c) {
                    unsigned char byte = ansi_of(c);
                    if (!byte) return;
                    InputEvent ch;
                    ch.kind = InputEvent::Kind::Char;
                    ch.ch = byte;
                    pending_.push_back(ch);
                });
                break;
            default:
                break;
        }
    }
}

bool SdlDisplay::poll_input(InputEvent& event) {
    show_if_due();
    translate_pending();
    if (pending_.empty()) return false;
    event = pending_.front();
    pending_.pop_front();
    return true;
}

}  // namespace winsim::host
