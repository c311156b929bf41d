#include "user/dialog_template.h"

#include <cstring>

namespace winsim::user {

namespace {

// Reads the little-endian template, tracking the offset from its start (items are
// aligned to a DWORD boundary from there).
class TemplateReader {
public:
    TemplateReader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }
    std::size_t offset() const { return offset_; }
    const unsigned char* here() const { return data_ + offset_; }

    WORD word() {
        if (!need(2)) return 0;
        WORD v = static_cast<WORD>(data_[offset_] | (data_[offset_ + 1] << 8));
        offset_ += 2;
        return v;
    }
    DWORD dword() {
        DWORD low = word();
        DWORD high = word();
        return low | (high << 16);
    }
    short sword() { return static_cast<short>(word()); }
    BYTE byte() {
        if (!need(1)) return 0;
        return data_[offset_++];
    }
    void skip(std::size_t n) {
        if (need(n)) offset_ += n;
    }
    void align(std::size_t to) {
        std::size_t pad = (to - offset_ % to) % to;
        skip(pad);
    }

    // A zero-ended UTF-16 string, in Windows-1252.
    std::string wide_string() {
        std::string out;
        for (;;) {
            WORD c = word();
            if (!ok_ || c == 0) break;
            out.push_back(ansi_of(c));
        }
        return out;
    }

    // The menu, class or title field: nothing, an ordinal, or a string.
    void sz_or_ordinal(std::string& text, std::optional<WORD>& ordinal) {
        WORD first = word();
        if (first == 0x0000) return;
        if (first == 0xFFFF) {
            ordinal = word();
            return;
        }
        offset_ -= 2;
        text = wide_string();
    }

private:
    bool need(std::size_t n) {
        if (!ok_ || offset_ + n > size_) {
            ok_ = false;
            return false;
        }
        return true;
    }

    static char ansi_of(WORD c) {
        if (c < 0x80 || (c >= 0xA0 && c < 0x100)) return static_cast<char>(c);
        struct Pair {
            WORD wide;
            unsigned char ansi;
        };
        static const Pair kHigh[] = {{0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85},
                                     {0x2020, 0x86}, {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A},
                                     {0x2039, 0x8B}, {0x0152, 0x8C}, {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92},
                                     {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95}, {0x2013, 0x96}, {0x2014, 0x97},
                                     {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B}, {0x0153, 0x9C},
                                     {0x017E, 0x9E}, {0x0178, 0x9F}};
        for (const Pair& p : kHigh)
            if (p.wide == c) return static_cast<char>(p.ansi);
        return '?';
    }

    const unsigned char* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
    bool ok_ = true;
};

std::string predefined_class(WORD atom) {
    switch (atom) {
        case 0x0080: return "Button";
        case 0x0081: return "Edit";
        case 0x0082: return "Static";
        case 0x0083: return "ListBox";
        case 0x0084: return "ScrollBar";
        case 0x0085: return "ComboBox";
        default: return "#" + std::to_string(atom);
    }
}

bool read_item(TemplateReader& in, bool extended, DialogItem& item) {
    in.align(4);
    if (extended) {
        in.dword();   // help id
        item.ex_style = in.dword();
        item.style = in.dword();
    } else {
        item.style = in.dword();
        item.ex_style = in.dword();
    }
    item.x = in.sword();
    item.y = in.sword();
    item.cx = in.sword();
    item.cy = in.sword();
    item.id = extended ? static_cast<WORD>(in.dword()) : in.word();
    std::optional<WORD> class_atom;
    in.sz_or_ordinal(item.class_name, class_atom);
    if (class_atom) item.class_name = predefined_class(*class_atom);
    in.sz_or_ordinal(item.text, item.text_ordinal);
    WORD extra = in.word();
    if (extra) {
        if (extended) {
            item.creation_data = in.here();
            in.skip(extra);
        } else {
            // The count word is the first word of the creation data.
            item.creation_data = in.here() - 2;
            in.skip(extra >= 2 ? extra - 2u : 0u);
        }
    }
    return in.ok() && !item.class_name.empty();
}

}  // namespace

std::optional<DialogTemplate> parse_dialog_template(const void* data, std::size_t size) {
    if (!data) return std::nullopt;
    TemplateReader in(static_cast<const unsigned char*>(data), size);
    DialogTemplate t;
    WORD first = in.word();
    WORD second = in.word();
    const bool extended = first == 1 && second == 0xFFFF;
    if (extended) {
        in.dword();   // help id
        t.ex_style = in.dword();
        t.style = in.dword();
    } else {
        t.style = static_cast<DWORD>(first) | (static_cast<DWORD>(second) << 16);
        t.ex_style = in.dword();
    }
    WORD count = in.word();
    t.x = in.sword();
    t.y = in.sword();
    t.cx = in.sword();
    t.cy = in.sword();
    std::string menu;
    std::optional<WORD> menu_ordinal;
    in.sz_or_ordinal(menu, menu_ordinal);
    in.sz_or_ordinal(t.class_name, t.class_atom);
    std::optional<WORD> caption_ordinal;
    in.sz_or_ordinal(t.caption, caption_ordinal);
    if (t.style & DS_SETFONT) {
        t.has_font = true;
        t.point_size = in.word();
        if (extended) {
            t.weight = in.word();
            t.italic = in.byte() != 0;
            in.byte();   // character set
        }
        t.face = in.wide_string();
    }
    if (!in.ok()) return std::nullopt;
    for (WORD i = 0; i < count; ++i) {
        DialogItem item;
        if (!read_item(in, extended, item)) return std::nullopt;
        t.items.push_back(std::move(item));
    }
    return t;
}

}  // namespace winsim::user
