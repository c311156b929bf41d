// Builds classic binary dialog templates in memory, as the resource compiler lays them out.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace user_test {

class DialogBuilder {
public:
    DialogBuilder(DWORD style, short x, short y, short cx, short cy, const std::string& caption,
                  const std::string& class_name = "") {
        dword(style | (font_ ? DS_SETFONT : 0));
        dword(0);
        count_at_ = bytes_.size();
        word(0);
        word(static_cast<WORD>(x));
        word(static_cast<WORD>(y));
        word(static_cast<WORD>(cx));
        word(static_cast<WORD>(cy));
        word(0);   // no menu
        if (class_name.empty()) word(0);
        else text(class_name);
        text(caption);
        if (style & DS_SETFONT) {
            word(8);
            text("MS Sans Serif");
        }
    }

    DialogBuilder& item(const std::string& class_name, const std::string& caption, WORD id, DWORD style, short x,
                        short y, short cx, short cy, int icon_ordinal = 0) {
        while (bytes_.size() % 4) bytes_.push_back(0);
        dword(style);
        dword(0);
        word(static_cast<WORD>(x));
        word(static_cast<WORD>(y));
        word(static_cast<WORD>(cx));
        word(static_cast<WORD>(cy));
        word(id);
        text(class_name);
        if (icon_ordinal) {
            word(0xFFFF);
            word(static_cast<WORD>(icon_ordinal));
        } else {
            text(caption);
        }
        word(0);
        ++count_;
        bytes_[count_at_] = static_cast<unsigned char>(count_);
        return *this;
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }
    const std::vector<unsigned char>& bytes() const { return bytes_; }

private:
    void word(WORD w) {
        bytes_.push_back(static_cast<unsigned char>(w & 0xFF));
        bytes_.push_back(static_cast<unsigned char>(w >> 8));
    }
    void dword(DWORD d) {
        word(static_cast<WORD>(d & 0xFFFF));
        word(static_cast<WORD>(d >> 16));
    }
    void text(const std::string& s) {
        for (unsigned char c : s) word(c);
        word(0);
    }

    bool font_ = false;
    std::vector<unsigned char> bytes_;
    std::size_t count_at_ = 0;
    int count_ = 0;
};

}  // namespace user_test
