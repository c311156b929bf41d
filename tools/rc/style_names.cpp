#include "style_names.h"

#include <unordered_map>
#include <string>

namespace rc {

namespace {

struct NamedValue {
    const char* name;
    std::uint32_t value;
};

// Values as the Windows SDK documentation lists them for window, dialog and control
// styles; combined names are spelled out from their parts.
const NamedValue named_styles[] = {
    // Window styles.
    {"WS_OVERLAPPED", 0x00000000}, {"WS_TILED", 0x00000000},
    {"WS_POPUP", 0x80000000}, {"WS_CHILD", 0x40000000}, {"WS_CHILDWINDOW", 0x40000000},
    {"WS_MINIMIZE", 0x20000000}, {"WS_ICONIC", 0x20000000},
    {"WS_VISIBLE", 0x10000000}, {"WS_DISABLED", 0x08000000},
    {"WS_CLIPSIBLINGS", 0x04000000}, {"WS_CLIPCHILDREN", 0x02000000},
    {"WS_MAXIMIZE", 0x01000000}, {"WS_CAPTION", 0x00C00000},
    {"WS_BORDER", 0x00800000}, {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", 0x00200000}, {"WS_HSCROLL", 0x00100000},
    {"WS_SYSMENU", 0x00080000}, {"WS_THICKFRAME", 0x00040000}, {"WS_SIZEBOX", 0x00040000},
    {"WS_GROUP", 0x00020000}, {"WS_TABSTOP", 0x00010000},
    {"WS_MINIMIZEBOX", 0x00020000}, {"WS_MAXIMIZEBOX", 0x00010000},
    {"WS_OVERLAPPEDWINDOW", 0x00CF0000}, {"WS_TILEDWINDOW", 0x00CF0000},
    {"WS_POPUPWINDOW", 0x80880000},
    // Extended window styles.
    {"WS_EX_DLGMODALFRAME", 0x00000001}, {"WS_EX_NOPARENTNOTIFY", 0x00000004},
    {"WS_EX_TOPMOST", 0x00000008}, {"WS_EX_ACCEPTFILES", 0x00000010},
    {"WS_EX_TRANSPARENT", 0x00000020}, {"WS_EX_MDICHILD", 0x00000040},
    {"WS_EX_TOOLWINDOW", 0x00000080}, {"WS_EX_WINDOWEDGE", 0x00000100},
    {"WS_EX_CLIENTEDGE", 0x00000200}, {"WS_EX_CONTEXTHELP", 0x00000400},
    {"WS_EX_RIGHT", 0x00001000}, {"WS_EX_LEFT", 0x00000000},
    {"WS_EX_RTLREADING", 0x00002000}, {"WS_EX_LTRREADING", 0x00000000},
    {"WS_EX_LEFTSCROLLBAR", 0x00004000}, {"WS_EX_RIGHTSCROLLBAR", 0x00000000},
    {"WS_EX_CONTROLPARENT", 0x00010000}, {"WS_EX_STATICEDGE", 0x00020000},
    {"WS_EX_APPWINDOW", 0x00040000}, {"WS_EX_OVERLAPPEDWINDOW", 0x00000300},
    {"WS_EX_PALETTEWINDOW", 0x00000188}, {"WS_EX_LAYERED", 0x00080000},
    {"WS_EX_NOINHERITLAYOUT", 0x00100000}, {"WS_EX_LAYOUTRTL", 0x00400000},
    {"WS_EX_COMPOSITED", 0x02000000}, {"WS_EX_NOACTIVATE", 0x08000000},
    // Dialog styles.
    {"DS_ABSALIGN", 0x0001}, {"DS_SYSMODAL", 0x0002}, {"DS_3DLOOK", 0x0004},
    {"DS_FIXEDSYS", 0x0008}, {"DS_NOFAILCREATE", 0x0010}, {"DS_LOCALEDIT", 0x0020},
    {"DS_SETFONT", 0x0040}, {"DS_MODALFRAME", 0x0080}, {"DS_NOIDLEMSG", 0x0100},
    {"DS_SETFOREGROUND", 0x0200}, {"DS_CONTROL", 0x0400}, {"DS_CENTER", 0x0800},
    {"DS_CENTERMOUSE", 0x1000}, {"DS_CONTEXTHELP", 0x2000}, {"DS_SHELLFONT", 0x0048},
    // Static control styles.
    {"SS_LEFT", 0x0000}, {"SS_CENTER", 0x0001}, {"SS_RIGHT", 0x0002}, {"SS_ICON", 0x0003},
    {"SS_BLACKRECT", 0x0004}, {"SS_GRAYRECT", 0x0005}, {"SS_WHITERECT", 0x0006},
    {"SS_BLACKFRAME", 0x0007}, {"SS_GRAYFRAME", 0x0008}, {"SS_WHITEFRAME", 0x0009},
    {"SS_USERITEM", 0x000A}, {"SS_SIMPLE", 0x000B}, {"SS_LEFTNOWORDWRAP", 0x000C},
    {"SS_OWNERDRAW", 0x000D}, {"SS_BITMAP", 0x000E}, {"SS_ENHMETAFILE", 0x000F},
    {"SS_ETCHEDHORZ", 0x0010}, {"SS_ETCHEDVERT", 0x0011}, {"SS_ETCHEDFRAME", 0x0012},
    {"SS_TYPEMASK", 0x001F}, {"SS_REALSIZECONTROL", 0x0040}, {"SS_NOPREFIX", 0x0080},
    {"SS_NOTIFY", 0x0100}, {"SS_CENTERIMAGE", 0x0200}, {"SS_RIGHTJUST", 0x0400},
    {"SS_REALSIZEIMAGE", 0x0800}, {"SS_SUNKEN", 0x1000}, {"SS_EDITCONTROL", 0x2000},
    {"SS_ENDELLIPSIS", 0x4000}, {"SS_PATHELLIPSIS", 0x8000}, {"SS_WORDELLIPSIS", 0xC000},
    {"SS_ELLIPSISMASK", 0xC000},
    // Button styles.
    {"BS_PUSHBUTTON", 0x0000}, {"BS_DEFPUSHBUTTON", 0x0001}, {"BS_CHECKBOX", 0x0002},
    {"BS_AUTOCHECKBOX", 0x0003}, {"BS_RADIOBUTTON", 0x0004}, {"BS_3STATE", 0x0005},
    {"BS_AUTO3STATE", 0x0006}, {"BS_GROUPBOX", 0x0007}, {"BS_USERBUTTON", 0x0008},
    {"BS_AUTORADIOBUTTON", 0x0009}, {"BS_PUSHBOX", 0x000A}, {"BS_OWNERDRAW", 0x000B},
    {"BS_TYPEMASK", 0x000F}, {"BS_LEFTTEXT", 0x0020}, {"BS_RIGHTBUTTON", 0x0020},
    {"BS_TEXT", 0x0000}, {"BS_ICON", 0x0040}, {"BS_BITMAP", 0x0080},
    {"BS_LEFT", 0x0100}, {"BS_RIGHT", 0x0200}, {"BS_CENTER", 0x0300},
    {"BS_TOP", 0x0400}, {"BS_BOTTOM", 0x0800}, {"BS_VCENTER", 0x0C00},
    {"BS_PUSHLIKE", 0x1000}, {"BS_MULTILINE", 0x2000}, {"BS_NOTIFY", 0x4000},
    {"BS_FLAT", 0x8000},
    // Edit control styles.
    {"ES_LEFT", 0x0000}, {"ES_CENTER", 0x0001}, {"ES_RIGHT", 0x0002},
    {"ES_MULTILINE", 0x0004}, {"ES_UPPERCASE", 0x0008}, {"ES_LOWERCASE", 0x0010},
    {"ES_PASSWORD", 0x0020}, {"ES_AUTOVSCROLL", 0x0040}, {"ES_AUTOHSCROLL", 0x0080},
    {"ES_NOHIDESEL", 0x0100}, {"ES_OEMCONVERT", 0x0400}, {"ES_READONLY", 0x0800},
    {"ES_WANTRETURN", 0x1000}, {"ES_NUMBER", 0x2000},
    // List box styles.
    {"LBS_NOTIFY", 0x0001}, {"LBS_SORT", 0x0002}, {"LBS_NOREDRAW", 0x0004},
    {"LBS_MULTIPLESEL", 0x0008}, {"LBS_OWNERDRAWFIXED", 0x0010},
    {"LBS_OWNERDRAWVARIABLE", 0x0020}, {"LBS_HASSTRINGS", 0x0040},
    {"LBS_USETABSTOPS", 0x0080}, {"LBS_NOINTEGRALHEIGHT", 0x0100},
    {"LBS_MULTICOLUMN", 0x0200}, {"LBS_WANTKEYBOARDINPUT", 0x0400},
    {"LBS_EXTENDEDSEL", 0x0800}, {"LBS_DISABLENOSCROLL", 0x1000},
    {"LBS_NODATA", 0x2000}, {"LBS_NOSEL", 0x4000}, {"LBS_COMBOBOX", 0x8000},
    {"LBS_STANDARD", 0x00A00003},
    // Combo box styles.
    {"CBS_SIMPLE", 0x0001}, {"CBS_DROPDOWN", 0x0002}, {"CBS_DROPDOWNLIST", 0x0003},
    {"CBS_OWNERDRAWFIXED", 0x0010}, {"CBS_OWNERDRAWVARIABLE", 0x0020},
    {"CBS_AUTOHSCROLL", 0x0040}, {"CBS_OEMCONVERT", 0x0080}, {"CBS_SORT", 0x0100},
    {"CBS_HASSTRINGS", 0x0200}, {"CBS_NOINTEGRALHEIGHT", 0x0400},
    {"CBS_DISABLENOSCROLL", 0x0800}, {"CBS_UPPERCASE", 0x2000}, {"CBS_LOWERCASE", 0x4000},
    // Scroll bar and progress bar styles.
    {"SBS_HORZ", 0x0000}, {"SBS_VERT", 0x0001},
    {"PBS_SMOOTH", 0x0001}, {"PBS_VERTICAL", 0x0004},
    // Dialog item identifiers the templates name.
    {"IDOK", 1}, {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4}, {"IDIGNORE", 5},
    {"IDYES", 6}, {"IDNO", 7}, {"IDC_STATIC", 0xFFFFFFFF},
};

const std::unordered_map<std::string_view, std::uint32_t>& style_map() {
    static const std::unordered_map<std::string_view, std::uint32_t> map = [] {
        std::unordered_map<std::string_view, std::uint32_t> m;
        for (const NamedValue& entry : named_styles) m.emplace(entry.name, entry.value);
        return m;
    }();
    return map;
}

}  // namespace

std::optional<std::uint32_t> style_value(std::string_view name) {
    auto found = style_map().find(name);
    if (found == style_map().end()) return std::nullopt;
    return found->second;
}

}  // namespace rc
