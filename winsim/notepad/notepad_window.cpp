#include "notepad_window.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace winsim::notepad {

namespace {

constexpr int kTabWidth = 8;
constexpr int kMargin = 4;

// The text as it is shown: one entry per line, tabs expanded, line ends removed.
std::vector<std::string> shown_lines;
int first_line = 0;   // the line at the top of the page, moved by the arrow and page keys

std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (c == '\n' || c == '\r') {
            lines.emplace_back();
        } else if (c == '\t') {
            lines.back().append(kTabWidth - lines.back().size() % kTabWidth, ' ');
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

int line_height(HDC dc) {
    TEXTMETRICA metrics;
    return GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : 16;
}

int lines_per_page(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    int height = line_height(dc);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return std::max(1, int(client.bottom - client.top) / std::max(1, height));
}

void PaintPage(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    int height = line_height(dc);
    int y = client.top;
    for (std::size_t i = std::size_t(first_line); i < shown_lines.size() && y < client.bottom; ++i) {
        const std::string& line = shown_lines[i];
        TextOutA(dc, client.left + kMargin, y, line.c_str(), int(line.size()));
        y += height;
    }
    SelectObject(dc, old);
}

void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    PaintPage(dc, client);
    EndPaint(window, &paint);
}

void ScrollTo(HWND window, int line) {
    int last = std::max(0, int(shown_lines.size()) - 1);
    line = std::clamp(line, 0, last);
    if (line == first_line) return;
    first_line = line;
    InvalidateRect(window, nullptr, FALSE);
}

void OnKeyDown(HWND window, WPARAM key) {
    int page = lines_per_page(window);
    switch (key) {
    case VK_UP: ScrollTo(window, first_line - 1); break;
    case VK_DOWN: ScrollTo(window, first_line + 1); break;
    case VK_PRIOR: ScrollTo(window, first_line - page); break;
    case VK_NEXT: ScrollTo(window, first_line + page); break;
    case VK_HOME: ScrollTo(window, 0); break;
    case VK_END: ScrollTo(window, int(shown_lines.size()) - page); break;
    default: break;
    }
}

LRESULT CALLBACK NotepadProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: OnPaint(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_KEYDOWN: OnKeyDown(window, wparam); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

std::string bare_name(const std::string& path) {
    std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

int show_in_window(const std::string& file_name, const std::string& text) {
    shown_lines = split_lines(text);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = NotepadProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    window_class.lpszClassName = "Notepad";
    if (!RegisterClassExA(&window_class)) return 1;

    std::string caption = bare_name(file_name) + " - Notepad";
    HWND window = CreateWindowExA(0, "Notepad", caption.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetFocus(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

}  // namespace winsim::notepad
