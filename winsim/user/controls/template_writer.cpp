#include "user/controls/template_writer.h"

namespace winsim::controls {

TemplateWriter::TemplateWriter(DWORD style, short x, short y, short cx, short cy,
                               const std::string& title, WORD point_size, const std::string& face) {
    put_dword(style);
    put_dword(0);        // extended style
    put(0);              // item count, counted up by add_item
    put(static_cast<WORD>(x));
    put(static_cast<WORD>(y));
    put(static_cast<WORD>(cx));
    put(static_cast<WORD>(cy));
    put(0);              // no menu
    put(0);              // the system dialog class
    put_text(title);
    if (style & DS_SETFONT) {
        put(point_size);
        put_text(face);
    }
}

void TemplateWriter::put_dword(DWORD d) {
    put(static_cast<WORD>(d & 0xFFFF));
    put(static_cast<WORD>(d >> 16));
}

// Template texts are UTF-16; ours are plain ASCII, and anything else is set at run time.
void TemplateWriter::put_text(const std::string& ascii) {
    for (unsigned char c : ascii) put(c);
    put(0);
}

void TemplateWriter::align_dword() {
    if (words_.size() % 2) put(0);
}

void TemplateWriter::begin_item(DWORD style, short x, short y, short cx, short cy, WORD id) {
    align_dword();
    put_dword(style);
    put_dword(0);
    put(static_cast<WORD>(x));
    put(static_cast<WORD>(y));
    put(static_cast<WORD>(cx));
    put(static_cast<WORD>(cy));
    put(id);
}

void TemplateWriter::end_item(const std::string& text) {
    put_text(text);
    put(0);              // no creation data
    ++words_[4];         // DLGTEMPLATE::cdit follows the two DWORDs
}

void TemplateWriter::add_item(DWORD style, short x, short y, short cx, short cy, WORD id,
                              WORD class_ordinal, const std::string& text) {
    begin_item(style, x, y, cx, cy, id);
    put(0xFFFF);
    put(class_ordinal);
    end_item(text);
}

void TemplateWriter::add_item(DWORD style, short x, short y, short cx, short cy, WORD id,
                              const std::string& class_name, const std::string& text) {
    begin_item(style, x, y, cx, cy, id);
    put_text(class_name);
    end_item(text);
}

const DLGTEMPLATE* TemplateWriter::data() const {
    return reinterpret_cast<const DLGTEMPLATE*>(words_.data());
}

}  // namespace winsim::controls
