// The real screen under a private X server: what the host window shows, as read back from
// the X server, and the host's mouse, keyboard and close request as input events.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "host/sdl_display.h"

using winsim::gdi::Surface;
using winsim::host::InputEvent;
using winsim::host::Layer;
using winsim::host::SdlDisplay;

namespace {

// A private Xvfb for the life of the test program.
class PrivateXServer {
public:
    PrivateXServer() {
        if (access("/usr/bin/Xvfb", X_OK) != 0) return;
        // Xvfb picks a free display itself and writes its number to the pipe once it listens.
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            std::string fd = std::to_string(fds[1]);
            execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten",
                  "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char buffer[32] = {};
        std::size_t got = 0;
        while (got < sizeof buffer - 1) {
            ssize_t n = read(fds[0], buffer + got, sizeof buffer - 1 - got);
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
            if (std::memchr(buffer, '\n', got)) break;
        }
        close(fds[0]);
        if (got == 0) return;
        name_ = ":" + std::string(buffer, std::strcspn(buffer, "\n"));
        ready_ = true;
    }
    ~PrivateXServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool ready() const { return ready_; }
    const std::string& name() const { return name_; }

private:
    std::string name_;
    pid_t pid_ = -1;
    bool ready_ = false;
};

Window x_window_of(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    return info.info.x11.window;
}

// Polls for up to a second of real time until an event of `kind` arrives.
bool wait_for(SdlDisplay& d, InputEvent::Kind kind, InputEvent& found) {
    for (int i = 0; i < 200; ++i) {
        InputEvent e;
        while (d.poll_input(e))
            if (e.kind == kind) {
                found = e;
                return true;
            }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

}  // namespace

TEST(SdlDisplay, ShowsTheScreenAtOneToOneAndDeliversHostInput) {
    PrivateXServer server;
    if (!server.ready()) GTEST_SKIP() << "Xvfb is not available";
    setenv("DISPLAY", server.name().c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    std::string error;
    auto display = SdlDisplay::open(320, 240, error);
    ASSERT_NE(display, nullptr) << error;
    // Tools that watch the window (and a person's window manager) hold on to this one.
    const Window created = x_window_of(display->window());

    Surface picture(320, 240, 0x601800);
    for (int y = 100; y < 140; ++y)
        for (int x = 200; x < 260; ++x) picture.set_pixel(x, y, 0xFFA080);
    const Layer layers[] = {{&picture, 0, 0}};
    display->present(layers);
    // A frame held back by the 16 ms pacing is shown by a later poll.
    InputEvent ignored;
    for (int i = 0; i < 10; ++i) {
        display->poll_input(ignored);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    Display* x = XOpenDisplay(server.name().c_str());
    ASSERT_NE(x, nullptr);
    Window window = x_window_of(display->window());
    ASSERT_NE(window, 0u);
    EXPECT_EQ(window, created) << "the first frame replaced the host window";
    XSync(x, False);
    XImage* shot = XGetImage(x, window, 0, 0, 320, 240, AllPlanes, ZPixmap);
    ASSERT_NE(shot, nullptr);
    auto at = [&](int px, int py) { return static_cast<std::uint32_t>(XGetPixel(shot, px, py) & 0xFFFFFF); };
    EXPECT_EQ(at(0, 0), 0x601800u);
    EXPECT_EQ(at(199, 120), 0x601800u);
    EXPECT_EQ(at(200, 100), 0xFFA080u);
    EXPECT_EQ(at(259, 139), 0xFFA080u);
    EXPECT_EQ(at(260, 139), 0x601800u);
    XDestroyImage(shot);

    // A click at a window point arrives as a button press at that point.
    std::string click = "xdotool mousemove --window " + std::to_string(window) + " 37 55 click 1 key Return";
    setenv("DISPLAY", server.name().c_str(), 1);
    ASSERT_EQ(std::system(click.c_str()), 0);
    InputEvent down;
    ASSERT_TRUE(wait_for(*display, InputEvent::Kind::MouseDown, down));
    EXPECT_EQ(down.x, 37);
    EXPECT_EQ(down.y, 55);
    EXPECT_EQ(down.button, 0);
    InputEvent key;
    ASSERT_TRUE(wait_for(*display, InputEvent::Kind::KeyDown, key));
    EXPECT_EQ(key.key, 0x0Du);

    // The close request a window manager sends becomes Quit.
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = window;
    close.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(x, window, False, NoEventMask, &close);
    XFlush(x);
    InputEvent quit;
    EXPECT_TRUE(wait_for(*display, InputEvent::Kind::Quit, quit));
    XCloseDisplay(x);
    display.reset();
}
