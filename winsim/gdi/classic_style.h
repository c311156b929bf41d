// The one painter of the classic look: every 3-D edge, window frame, caption bar, push
// button, check mark, group frame and scroll bar is drawn here, in the system colours, so
// that the window manager and the controls decide behaviour and this file decides looks.
// All rectangles are in the logical coordinates of the device context given.
#pragma once

#include "win/base.h"
#include "win/gdi.h"

namespace winsim::gdi::classic {

// Sizes of the classic look, in pixels (what GetSystemMetrics answers for them).
inline constexpr int kBorder = 1;            // SM_CXBORDER: a WS_BORDER line
inline constexpr int kEdge = 2;              // SM_CXEDGE: a raised or sunken 3-D edge
inline constexpr int kDialogFrame = 3;       // SM_CXDLGFRAME: a modal (dialog) frame
inline constexpr int kSizingFrame = 4;       // SM_CXFRAME: a sizing border
inline constexpr int kCaptionHeight = 19;    // SM_CYCAPTION: the bar plus its line below
inline constexpr int kCaptionButtonWidth = 16;   // the close button inside the bar
inline constexpr int kCaptionButtonHeight = 14;
inline constexpr int kSmallIcon = 16;        // SM_CXSMICON
inline constexpr int kIcon = 32;             // SM_CXICON
inline constexpr int kScrollBar = 16;        // SM_CXVSCROLL, SM_CYHSCROLL: width and arrow size
inline constexpr int kMinThumb = 8;          // shortest thumb shown
inline constexpr int kCheckBox = 13;         // side of a check box or radio circle

// Fonts of the classic look, owned by the style (never delete them): the bold caption
// font and the "MS Sans Serif" 8 pt font of dialogs and buttons.
HFONT caption_font();
HFONT dialog_font();

// DrawEdge: BDR_* borders on the BF_* sides, BF_MIDDLE fills with the face colour,
// BF_SOFT gives the push-button variant, BF_FLAT and BF_MONO the flat ones, BF_ADJUST
// shrinks `rect` by the borders drawn.
void draw_edge(HDC dc, RECT& rect, UINT edge, UINT flags);

// WS_EX_CLIENTEDGE (2-pixel sunken) and WS_EX_STATICEDGE / SS_SUNKEN (1-pixel sunken) borders;
// each shrinks `rect` to what lies inside.
void draw_client_edge(HDC dc, RECT& rect);
void draw_static_edge(HDC dc, RECT& rect);

// The outer frame of a top-level window; shrinks `rect` to the part inside the frame.
enum class Frame {
    Thin,     // WS_BORDER without caption frame: one black line
    Dialog,   // DS_MODALFRAME / WS_DLGFRAME: raised edge plus one face-coloured ring (3 px)
    Sizing,   // WS_THICKFRAME: raised edge plus two face-coloured rings (4 px)
};
void draw_frame(HDC dc, RECT& rect, Frame frame);
int frame_width(Frame frame);

// The caption bar: `bar` is the kCaptionHeight - 1 high strip under the top frame; the
// line below it is drawn in the face colour. Without a system menu there is neither
// icon nor close button.
struct Caption {
    const char* text = "";
    bool active = true;
    HICON small_icon = nullptr;     // drawn at the left when not null
    bool close_button = false;      // the window has a system menu
    bool close_pressed = false;
};
void draw_caption(HDC dc, const RECT& bar, const Caption& caption);
RECT caption_close_button(const RECT& bar);   // where the close button lies, for hit tests

// A push button in its whole rectangle: face, 3-D border (black outline when default or
// focused), text centred with its mnemonic underlined (grey embossed when disabled) and
// the dotted focus rectangle when focused.
struct PushButton {
    const char* text = "";
    HFONT font = nullptr;           // dialog_font() when null
    bool pressed = false;
    bool is_default = false;        // BS_DEFPUSHBUTTON, or the dialog's current default
    bool focused = false;
    bool enabled = true;
};
void draw_push_button(HDC dc, const RECT& rect, const PushButton& button);

// The 13 x 13 box of a check box and the circle of a radio button, with `box` the square
// they fill; `pressed` shows the grey well of a box held down.
struct CheckMark {
    bool checked = false;
    bool pressed = false;
    bool enabled = true;
};
void draw_check_box(HDC dc, const RECT& box, const CheckMark& mark);
void draw_radio_button(HDC dc, const RECT& box, const CheckMark& mark);

// A group box: an etched frame whose top line runs through the middle of the text.
void draw_group_frame(HDC dc, const RECT& rect, const char* text, HFONT font);

// Text of a label or button in DrawText's formats: enabled in the current text colour and
// background mode, disabled embossed (white, then grey one pixel up and left).
void draw_label_text(HDC dc, const char* text, RECT rect, UINT dt_format, bool enabled);

// An icon the way a disabled static control shows it: embossed in white and grey.
void draw_disabled_icon(HDC dc, int x, int y, HICON icon, int width, int height);

// Scroll bars. The state is what SetScrollInfo holds; the parts follow from it.
enum class ScrollPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };
struct ScrollBar {
    bool vertical = true;
    int min = 0;
    int max = 100;
    unsigned page = 0;
    int pos = 0;
    bool enabled = true;
    ScrollPart pressed = ScrollPart::None;   // the part held down by the mouse
};
struct ScrollBarLayout {
    RECT line_up;      // the up (left) arrow
    RECT page_up;      // the track above (left of) the thumb
    RECT thumb;        // empty when there is no room or nothing to scroll
    RECT page_down;
    RECT line_down;    // the down (right) arrow
};
ScrollBarLayout layout_scroll_bar(const RECT& rect, const ScrollBar& bar);
ScrollPart hit_scroll_bar(const ScrollBarLayout& layout, POINT point);
// The position a thumb dragged to start at `thumb_start` (pixels along the bar from its
// rect's top or left edge) stands for.
int scroll_pos_for_thumb(const RECT& rect, const ScrollBar& bar, int thumb_start);
void draw_scroll_bar(HDC dc, const RECT& rect, const ScrollBar& bar);

// One arrow button (also the drop-down button of a combo box).
enum class Arrow { Up, Down, Left, Right };
void draw_arrow_button(HDC dc, const RECT& rect, Arrow arrow, bool pressed, bool enabled);

}  // namespace winsim::gdi::classic
