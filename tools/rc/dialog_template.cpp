#include "dialog_template.h"

#include "byte_writer.h"
#include "text_encoding.h"

namespace rc {

namespace {

const std::uint32_t DS_SETFONT = 0x40;
const std::uint32_t DS_SHELLFONT = 0x48;

void write_name_or_ordinal(ByteWriter& out, const NameOrOrdinal& value) {
    switch (value.kind) {
    case NameOrOrdinal::Kind::None:
        out.word(0);
        break;
    case NameOrOrdinal::Kind::Ordinal:
        out.word(0xFFFF);
        out.word(value.ordinal);
        break;
    case NameOrOrdinal::Kind::Text:
        out.wide_string(windows1252_to_utf16(value.text));
        break;
    }
}

void write_classic(ByteWriter& out, const DialogTemplate& d) {
    out.dword(d.style);
    out.dword(d.ex_style);
    out.word(static_cast<std::uint16_t>(d.items.size()));
    out.word(static_cast<std::uint16_t>(d.x));
    out.word(static_cast<std::uint16_t>(d.y));
    out.word(static_cast<std::uint16_t>(d.cx));
    out.word(static_cast<std::uint16_t>(d.cy));
    write_name_or_ordinal(out, d.menu);
    write_name_or_ordinal(out, d.window_class);
    out.wide_string(windows1252_to_utf16(d.caption));
    if (d.style & DS_SETFONT) {
        out.word(d.point_size);
        out.wide_string(windows1252_to_utf16(d.face));
    }
    for (const DialogItem& item : d.items) {
        out.align(4);
        out.dword(item.style);
        out.dword(item.ex_style);
        out.word(static_cast<std::uint16_t>(item.x));
        out.word(static_cast<std::uint16_t>(item.y));
        out.word(static_cast<std::uint16_t>(item.cx));
        out.word(static_cast<std::uint16_t>(item.cy));
        out.word(static_cast<std::uint16_t>(item.id));
        write_name_or_ordinal(out, item.window_class);
        write_name_or_ordinal(out, item.text);
        out.word(0);  // no creation data
    }
}

void write_extended(ByteWriter& out, const DialogTemplate& d) {
    out.word(1);       // dlgVer
    out.word(0xFFFF);  // signature
    out.dword(d.help_id);
    out.dword(d.ex_style);
    out.dword(d.style);
    out.word(static_cast<std::uint16_t>(d.items.size()));
    out.word(static_cast<std::uint16_t>(d.x));
    out.word(static_cast<std::uint16_t>(d.y));
    out.word(static_cast<std::uint16_t>(d.cx));
    out.word(static_cast<std::uint16_t>(d.cy));
    write_name_or_ordinal(out, d.menu);
    write_name_or_ordinal(out, d.window_class);
    out.wide_string(windows1252_to_utf16(d.caption));
    if ((d.style & DS_SETFONT) || (d.style & DS_SHELLFONT) == DS_SHELLFONT) {
        out.word(d.point_size);
        out.word(d.weight);
        out.byte(d.italic);
        out.byte(d.charset);
        out.wide_string(windows1252_to_utf16(d.face));
    }
    for (const DialogItem& item : d.items) {
        out.align(4);
        out.dword(item.help_id);
        out.dword(item.ex_style);
        out.dword(item.style);
        out.word(static_cast<std::uint16_t>(item.x));
        out.word(static_cast<std::uint16_t>(item.y));
        out.word(static_cast<std::uint16_t>(item.cx));
        out.word(static_cast<std::uint16_t>(item.cy));
        out.dword(item.id);
        write_name_or_ordinal(out, item.window_class);
        write_name_or_ordinal(out, item.text);
        out.word(0);  // no creation data
    }
}

}  // namespace

std::vector<std::uint8_t> encode_dialog(const DialogTemplate& dialog) {
    ByteWriter out;
    if (dialog.extended)
        write_extended(out, dialog);
    else
        write_classic(out, dialog);
    return out.take();
}

}  // namespace rc
