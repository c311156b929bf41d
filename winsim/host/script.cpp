#include "host/script.h"

#include <strings.h>
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "host/clock.h"
#include "host/display.h"
#include "user/message_queue.h"
#include "user/painting.h"
#include "user/window.h"
#include "user/window_tree.h"

namespace winsim::host {

namespace {

using user::Window;
using user::WindowTree;

// List and combo box messages the scripted user asks a control (their values are the
// system's).
constexpr UINT kListFindExact = 0x01A2;     // LB_FINDSTRINGEXACT
constexpr UINT kListItemRect = 0x0198;      // LB_GETITEMRECT
constexpr UINT kListSetTop = 0x0197;        // LB_SETTOPINDEX
constexpr UINT kComboFindExact = 0x0158;    // CB_FINDSTRINGEXACT
constexpr UINT kComboSetSelection = 0x014E; // CB_SETCURSEL
constexpr WORD kComboSelChange = 1;         // CBN_SELCHANGE
constexpr WORD kComboDoubleClick = 2;       // CBN_DBLCLK
constexpr LRESULT kNotFound = -1;           // LB_ERR, CB_ERR

std::unique_ptr<ScriptedUser>& active_user() {
    static std::unique_ptr<ScriptedUser> user;
    return user;
}

bool& active_loaded() {
    static bool loaded = false;
    return loaded;
}

std::string trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    std::size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// "&Yes" reads "Yes"; "&&" is one ampersand.
std::string without_mnemonics(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                out.push_back('&');
                ++i;
            }
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

std::string window_text(HWND hwnd) {
    int length = static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    int got = static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

std::string class_of(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return lower(name);
}

bool usable(const Window* w) { return WindowTree::is_shown(w) && WindowTree::accepts_input(w); }

Window* active_window() {
    Window* w = user::find_window(WindowTree::instance().active);
    return (w && usable(w)) ? w : nullptr;
}

Window* find_control(Window* root, const std::function<bool(Window*)>& match) {
    for (Window* child : root->children) {
        if (match(child)) return child;
        if (Window* deeper = find_control(child, match)) return deeper;
    }
    return nullptr;
}

POINT centre_on_screen(const Window* w) {
    RECT r = WindowTree::window_rect_on_screen(w);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

struct Key {
    const char* name;
    unsigned vk;
    char ch;
};
constexpr Key kKeys[] = {{"enter", VK_RETURN, 0}, {"escape", VK_ESCAPE, 0}, {"tab", VK_TAB, 0},
                         {"space", VK_SPACE, ' '}, {"up", VK_UP, 0},        {"down", VK_DOWN, 0},
                         {"home", VK_HOME, 0},     {"end", VK_END, 0},      {"back", VK_BACK, 0},
                         {"delete", VK_DELETE, 0}, {"left", VK_LEFT, 0},    {"right", VK_RIGHT, 0}};

const Key* key_named(const std::string& name) {
    for (const Key& k : kKeys)
        if (name == k.name) return &k;
    return nullptr;
}

void push(InputEvent::Kind kind, int x, int y, bool shift = false) {
    InputEvent e;
    e.kind = kind;
    e.x = x;
    e.y = y;
    e.shift = shift;
    user::MessageQueue::instance().push_input(e);
}

void click_at(POINT p, int times) {
    push(InputEvent::Kind::MouseMove, p.x, p.y);
    for (int i = 0; i < times; ++i) {
        push(InputEvent::Kind::MouseDown, p.x, p.y);
        push(InputEvent::Kind::MouseUp, p.x, p.y);
    }
}

bool parse_point(const std::string& token, int& x, int& y) {
    return std::sscanf(token.c_str(), "%d,%d", &x, &y) == 2;
}

}  // namespace

std::unique_ptr<ScriptedUser> ScriptedUser::parse(const std::filesystem::path& path, const std::string& text,
                                                  std::string& error) {
    auto user = std::unique_ptr<ScriptedUser>(new ScriptedUser());
    user->path_ = path;
    std::istringstream lines(text);
    std::string raw;
    int number = 0;
    while (std::getline(lines, raw)) {
        ++number;
        std::string line = trim(raw);
        if (line.empty() || line[0] == '#') continue;
        Command c;
        c.line = number;
        std::size_t space = line.find_first_of(" \t");
        c.verb = lower(line.substr(0, space));
        std::string rest = space == std::string::npos ? std::string() : trim(line.substr(space));
        std::size_t open = rest.find('"');
        std::size_t close = rest.rfind('"');
        bool has_text = open != std::string::npos && close != open;
        if (has_text) c.text = rest.substr(open + 1, close - open - 1);
        std::string before = trim(has_text ? rest.substr(0, open) : rest);
        if (!before.empty() && before[0] == '#') {
            char* end = nullptr;
            long id = std::strtol(before.c_str() + 1, &end, 10);
            if (end == before.c_str() + 1 || (*end && !std::isspace(static_cast<unsigned char>(*end)))) {
                error = path.string() + ":" + std::to_string(number) + ": bad control identifier: " + before;
                return nullptr;
            }
            c.id = static_cast<int>(id);
            c.has_id = true;
            c.name = before;
        }
        auto bad = [&](const std::string& why) {
            error = path.string() + ":" + std::to_string(number) + ": " + why + ": " + line;
            return nullptr;
        };
        if (c.verb == "wait" || c.verb == "type" || c.verb == "shot" || c.verb == "close") {
            if (!has_text) return bad("expected a text in double quotes");
        } else if (c.verb == "click") {
            if (!has_text && !c.has_id) return bad("expected \"Text\" or #ID");
        } else if (c.verb == "dblclick" || c.verb == "select" || c.verb == "expect") {
            if (!has_text || !c.has_id) return bad("expected #ID and a text in double quotes");
        } else if (c.verb == "key") {
            c.name = lower(rest);
            std::string key = c.name.rfind("shift+", 0) == 0 ? c.name.substr(6) : c.name;
            if (!key_named(key)) return bad("unknown key");
        } else if (c.verb == "drag") {
            std::istringstream points(rest);
            std::string from, to;
            points >> from >> to;
            if (!parse_point(from, c.numbers[0], c.numbers[1]) || !parse_point(to, c.numbers[2], c.numbers[3]))
                return bad("expected X1,Y1 X2,Y2");
        } else if (c.verb == "sleep") {
            char* end = nullptr;
            long ms = std::strtol(rest.c_str(), &end, 10);
            if (rest.empty() || *end || ms < 0) return bad("expected milliseconds");
            c.numbers[0] = static_cast<int>(ms);
        } else {
            return bad("unknown command");
        }
        user->commands_.push_back(std::move(c));
    }
    return user;
}

ScriptedUser* ScriptedUser::active() {
    if (!active_loaded()) {
        active_loaded() = true;
        const char* path = std::getenv("WINSIM_SCRIPT");
        if (path && *path) {
            std::ifstream in(path, std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "winsim: cannot read the script %s\n", path);
                std::fflush(stderr);
                std::_Exit(kFailureExitCode);
            }
            std::stringstream text;
            text << in.rdbuf();
            std::string error;
            active_user() = parse(path, text.str(), error);
            if (!active_user()) {
                std::fprintf(stderr, "winsim: %s\n", error.c_str());
                std::fflush(stderr);
                std::_Exit(kFailureExitCode);
            }
        }
    }
    return active_user().get();
}

void ScriptedUser::set_active(std::unique_ptr<ScriptedUser> user) {
    active_loaded() = true;
    active_user() = std::move(user);
}

std::optional<std::uint32_t> ScriptedUser::wake_tick() const {
    if (finished()) {
        if (ended_idle_since_) return *ended_idle_since_ + kCommandTimeoutMs + 1;
        return std::nullopt;
    }
    if (!started_) return std::nullopt;
    const Command& c = commands_[next_];
    if (c.verb == "sleep") return *started_ + static_cast<std::uint32_t>(c.numbers[0]);
    return *started_ + kCommandTimeoutMs + 1;
}

bool ScriptedUser::on_idle(bool blocking) {
    while (!finished()) {
        const Command& c = commands_[next_];
        const std::uint32_t now = clock().now();
        if (!started_) started_ = now;
        Step step = run(c);
        if (step == Step::NotYet) {
            const bool is_sleep = c.verb == "sleep";
            if (!is_sleep && now - *started_ > kCommandTimeoutMs) fail(&c, last_reason_);
            return false;
        }
        ++next_;
        started_.reset();
        last_reason_.clear();
        if (step == Step::Acted) return true;
    }
    if (!blocking) return false;
    // The program may still have its own timers to wait for; once it waits with none, or
    // for longer than a command may, it waits for input that will never come.
    const std::uint32_t now = clock().now();
    if (!ended_idle_since_) ended_idle_since_ = now;
    const bool timers_pending = user::MessageQueue::instance().timers().next_due().has_value();
    if (!timers_pending || now - *ended_idle_since_ > kCommandTimeoutMs)
        fail(nullptr, "the program waits for input after the script ended");
    return false;
}

ScriptedUser::Step ScriptedUser::run(const Command& c) {
    if (c.verb == "sleep") {
        return clock().now() - *started_ >= static_cast<std::uint32_t>(c.numbers[0]) ? Step::Done : Step::NotYet;
    }
    if (c.verb == "shot") {
        user::painting::present_if_changed();
        std::filesystem::path file = c.text;
        if (file.is_relative()) file = path_.parent_path() / file;
        std::string error;
        if (!display().save_png(file.string(), error)) fail(&c, "cannot write " + file.string() + ": " + error);
        return Step::Done;
    }
    if (c.verb == "drag") {
        const int x1 = c.numbers[0], y1 = c.numbers[1], x2 = c.numbers[2], y2 = c.numbers[3];
        push(InputEvent::Kind::MouseMove, x1, y1);
        push(InputEvent::Kind::MouseDown, x1, y1);
        constexpr int kSteps = 4;
        for (int i = 1; i <= kSteps; ++i)
            push(InputEvent::Kind::MouseMove, x1 + (x2 - x1) * i / kSteps, y1 + (y2 - y1) * i / kSteps);
        push(InputEvent::Kind::MouseUp, x2, y2);
        return Step::Acted;
    }
    if (c.verb == "close") {
        for (Window* top : WindowTree::instance().top_levels()) {
            if (WindowTree::is_shown(top) && without_mnemonics(top->text) == c.text) {
                // A window behind an open modal page is disabled and takes no close either.
                if (!WindowTree::accepts_input(top)) {
                    last_reason_ = "the window \"" + c.text + "\" is disabled";
                    return Step::NotYet;
                }
                user::MessageQueue::instance().post(top->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
                return Step::Acted;
            }
        }
        last_reason_ = "no window with the caption \"" + c.text + "\"";
        return Step::NotYet;
    }
    Window* active = active_window();
    if (c.verb == "wait") {
        if (active && without_mnemonics(active->text) == c.text) return Step::Done;
        last_reason_ = active ? "the active window is \"" + active->text + "\", not \"" + c.text + "\""
                              : "no window is active";
        return Step::NotYet;
    }
    if (c.verb == "type") {
        if (!active) {
            last_reason_ = "no window is active";
            return Step::NotYet;
        }
        for (char ch : c.text) {
            InputEvent e;
            e.kind = InputEvent::Kind::Char;
            e.ch = static_cast<unsigned char>(ch);
            user::MessageQueue::instance().push_input(e);
        }
        return Step::Acted;
    }
    if (c.verb == "key") {
        if (!active) {
            last_reason_ = "no window is active";
            return Step::NotYet;
        }
        const bool shift = c.name.rfind("shift+", 0) == 0;
        const Key* key = key_named(shift ? c.name.substr(6) : c.name);
        InputEvent e;
        e.shift = shift;
        e.kind = InputEvent::Kind::KeyDown;
        e.key = key->vk;
        user::MessageQueue::instance().push_input(e);
        if (key->ch) {
            InputEvent ch = e;
            ch.kind = InputEvent::Kind::Char;
            ch.ch = static_cast<unsigned char>(key->ch);
            user::MessageQueue::instance().push_input(ch);
        }
        e.kind = InputEvent::Kind::KeyUp;
        user::MessageQueue::instance().push_input(e);
        return Step::Acted;
    }

    // The remaining commands name a control of the active window.
    if (!active) {
        last_reason_ = "no window is active";
        return Step::NotYet;
    }
    Window* control = nullptr;
    if (c.has_id) {
        control = find_control(active, [&](Window* w) {
            return WindowTree::is_shown(w) && static_cast<WORD>(w->id) == static_cast<WORD>(c.id);
        });
    } else {
        control = find_control(active, [&](Window* w) {
            return WindowTree::is_shown(w) && without_mnemonics(window_text(w->hwnd)) == c.text;
        });
    }
    const std::string target = c.has_id ? c.name : "\"" + c.text + "\"";
    if (!control) {
        last_reason_ = "the active window \"" + active->text + "\" has no control " + target;
        return Step::NotYet;
    }
    if (c.verb == "expect") {
        std::string text = without_mnemonics(window_text(control->hwnd));
        if (text == without_mnemonics(c.text)) return Step::Done;
        last_reason_ = "control " + target + " reads \"" + text + "\"";
        return Step::NotYet;
    }
    if (!WindowTree::accepts_input(control)) {
        last_reason_ = "control " + target + " is disabled";
        return Step::NotYet;
    }
    if (c.verb == "click") {
        click_at(centre_on_screen(control), 1);
        return Step::Acted;
    }
    // dblclick and select: an item of a list box, or of a combo box's list.
    const int times = c.verb == "dblclick" ? 2 : 1;
    HWND list = control->hwnd;
    const std::string kind = class_of(list);
    if (kind == "combobox") {
        Window* inner = find_control(control, [](Window* w) {
            std::string k = class_of(w->hwnd);
            return WindowTree::is_shown(w) && (k == "listbox" || k == "combolbox");
        });
        if (!inner) {
            // A drop-down list that is not open: choose the item as the keyboard would.
            LRESULT index = SendMessageA(list, kComboFindExact, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(c.text.c_str()));
            if (index == kNotFound) {
                last_reason_ = "combo box " + target + " has no item \"" + c.text + "\"";
                return Step::NotYet;
            }
            SendMessageA(list, kComboSetSelection, static_cast<WPARAM>(index), 0);
            HWND parent = control->parent ? control->parent->hwnd : nullptr;
            const WPARAM id = static_cast<WORD>(control->id);
            SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, kComboSelChange), reinterpret_cast<LPARAM>(list));
            if (times == 2) SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, kComboDoubleClick), reinterpret_cast<LPARAM>(list));
            return Step::Acted;
        }
        list = inner->hwnd;
    } else if (kind != "listbox") {
        last_reason_ = "control " + target + " is neither a list box nor a combo box";
        return Step::NotYet;
    }
    LRESULT index = SendMessageA(list, kListFindExact, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(c.text.c_str()));
    if (index == kNotFound) {
        last_reason_ = "list " + target + " has no item \"" + c.text + "\"";
        return Step::NotYet;
    }
    RECT item{};
    RECT client{};
    GetClientRect(list, &client);
    SendMessageA(list, kListItemRect, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    if (item.top < client.top || item.bottom > client.bottom) {
        // Scrolled out of view: bring it in, as a person would with the scroll bar.
        SendMessageA(list, kListSetTop, static_cast<WPARAM>(index), 0);
        SendMessageA(list, kListItemRect, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    POINT p{(item.left + item.right) / 2, (item.top + std::min(item.bottom, client.bottom)) / 2};
    ClientToScreen(list, &p);
    click_at(p, times);
    return Step::Acted;
}

void ScriptedUser::check_finished_at_exit() {
    if (!finished()) fail(&commands_[next_], "the program ended before this command could run");
}

void ScriptedUser::fail(const Command* command, const std::string& why) {
    user::painting::present_if_changed();
    std::string where = path_.string();
    if (command) where += ":" + std::to_string(command->line) + ": " + command->verb;
    else where += ": end of script";
    std::fprintf(stderr, "winsim: script failed at %s: %s\n", where.c_str(), why.c_str());
    std::string shot = path_.string() + ".failed.png";
    std::string error;
    if (!display().save_png(shot, error)) std::fprintf(stderr, "winsim: cannot write %s: %s\n", shot.c_str(), error.c_str());
    std::fflush(stderr);
    std::fflush(stdout);
    std::_Exit(kFailureExitCode);
}

}  // namespace winsim::host
