#include "gdi/realized_font.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include "gdi/cp1252.h"
#include "gdi/face_library.h"

namespace winsim::gdi {

namespace {

// Em height in pixels of a font without a height.
constexpr int kDefaultEm = 12;

// The bytes of a LOGFONT that decide its look, as a cache key (face name up to its end).
std::string logfont_key(const LOGFONTA& lf) {
    std::string key(reinterpret_cast<const char*>(&lf), offsetof(LOGFONTA, lfFaceName));
    key.append(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    return key;
}

// The average character width as Windows has always measured it: the advances of a to z
// and the space, weighted by how often each occurs in English text (the factors sum to 1000).
// Newer fonts store an average over all their glyphs instead, which is far wider than text.
double classic_average_width(FT_Face face) {
    static constexpr int kWeights[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20,
                                         56, 56, 17, 4, 49, 56, 71, 31, 10, 18, 3, 18, 2};
    constexpr int kSpaceWeight = 166;
    auto advance = [&](char32_t c) -> long {
        FT_UInt index = FT_Get_Char_Index(face, c);
        FT_Fixed units = 0;
        if (index == 0 || FT_Get_Advance(face, index, FT_LOAD_NO_SCALE, &units) != 0) return -1;
        return units;
    };
    long space = advance(' ');
    if (space < 0) return 0;
    double sum = static_cast<double>(space) * kSpaceWeight;
    for (int i = 0; i < 26; ++i) {
        long a = advance(U'a' + i);
        if (a < 0) return 0;
        sum += static_cast<double>(a) * kWeights[i];
    }
    return sum / 1000.0;
}

}  // namespace

const RealizedFont& RealizedFont::for_logfont(const LOGFONTA& logfont) {
    // Kept for the whole process, so a font made on every paint is realised only once.
    static auto* cache = new std::map<std::string, std::unique_ptr<RealizedFont>>;
    std::string key = logfont_key(logfont);
    auto it = cache->find(key);
    if (it == cache->end()) it = cache->emplace(key, std::make_unique<RealizedFont>(logfont)).first;
    return *it->second;
}

RealizedFont::RealizedFont(const LOGFONTA& lf) {
    char face_name[LF_FACESIZE + 1] = {};
    std::memcpy(face_name, lf.lfFaceName, LF_FACESIZE);
    bool bold = lf.lfWeight >= 600;
    bool italic = lf.lfItalic != 0;
    FaceChoice choice = FaceLibrary::instance().choose(
        FaceLibrary::host_family(face_name, lf.lfPitchAndFamily), bold, italic);
    weight_ = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : lf.lfWeight;
    underline_ = lf.lfUnderline != 0;
    strike_out_ = lf.lfStrikeOut != 0;
    pitch_and_family_ = lf.lfPitchAndFamily;
    face_ = choice.face;
    if (!face_) {
        ascent_ = 10;
        descent_ = 3;
        average_width_ = 6;
        max_width_ = 12;
        return;
    }
    synthetic_bold_ = choice.synthetic_bold;
    synthetic_italic_ = choice.synthetic_italic;

    // Windows measures a font by its cell (win ascent + win descent) and its average width.
    double units = face_->units_per_EM;
    double win_ascent = face_->ascender;
    double win_descent = -face_->descender;
    double average_units = units / 2;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2))) {
        if (os2->usWinAscent + os2->usWinDescent > 0) {
            win_ascent = os2->usWinAscent;
            win_descent = os2->usWinDescent;
        }
        if (os2->xAvgCharWidth > 0) average_units = os2->xAvgCharWidth;
    }
    if (double classic = classic_average_width(face_); classic > 0) average_units = classic;
    double em;
    if (lf.lfHeight > 0) em = lf.lfHeight * units / (win_ascent + win_descent);
    else if (lf.lfHeight < 0) em = -static_cast<double>(lf.lfHeight);
    else em = kDefaultEm;
    double em_x = lf.lfWidth > 0 ? lf.lfWidth * units / average_units : em;

    FT_New_Size(face_, &size_);
    FT_Activate_Size(size_);
    FT_Set_Char_Size(face_, std::lround(em_x * 64), std::lround(em * 64), 72, 72);

    ascent_ = static_cast<int>(std::lround(win_ascent * em / units));
    if (lf.lfHeight > 0) {
        descent_ = std::max(0, static_cast<int>(lf.lfHeight) - ascent_);
    } else {
        descent_ = static_cast<int>(std::lround(win_descent * em / units));
    }
    internal_leading_ = std::max(0, height() - static_cast<int>(std::lround(em)));
    average_width_ = lf.lfWidth > 0 ? static_cast<int>(lf.lfWidth)
                                    : static_cast<int>(std::lround(average_units * em_x / units));
    max_width_ = static_cast<int>(std::lround((face_->bbox.xMax - face_->bbox.xMin) * em_x / units));
    if (synthetic_bold_) ++max_width_;
    underline_offset_ = std::max(1, static_cast<int>(std::lround(-face_->underline_position * em / units)));
    line_thickness_ = std::max(1, static_cast<int>(std::lround(face_->underline_thickness * em / units)));
}

RealizedFont::~RealizedFont() {
    if (size_) FT_Done_Size(size_);
}

const Glyph& RealizedFont::glyph(unsigned char ch) const {
    auto& slot = glyphs_[ch];
    if (!slot) {
        slot = std::make_unique<Glyph>();
        render(ch, *slot);
    }
    return *slot;
}

void RealizedFont::render(unsigned char ch, Glyph& out) const {
    if (!face_) {
        out.advance = average_width_;
        return;
    }
    FT_Activate_Size(size_);
    FT_UInt index = FT_Get_Char_Index(face_, cp1252_to_unicode(ch));
    bool outline_work = synthetic_bold_ || synthetic_italic_;
    FT_Int32 flags = FT_LOAD_TARGET_MONO | (outline_work ? FT_LOAD_NO_BITMAP : 0);
    if (FT_Load_Glyph(face_, index, flags) != 0) {
        out.advance = average_width_;
        return;
    }
    FT_GlyphSlot slot = face_->glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE && outline_work) {
        if (synthetic_italic_) {
            FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};   // about 12 degrees
            FT_Outline_Transform(&slot->outline, &shear);
        }
        if (synthetic_bold_) FT_Outline_EmboldenXY(&slot->outline, 64, 0);
    }
    out.advance = static_cast<int>((slot->advance.x + 32) >> 6) + (synthetic_bold_ ? 1 : 0);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return;
    const FT_Bitmap& bitmap = slot->bitmap;
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.width = static_cast<int>(bitmap.width);
    out.height = static_cast<int>(bitmap.rows);
    out.bits.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    for (int y = 0; y < out.height; ++y) {
        const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
        for (int x = 0; x < out.width; ++x)
            out.bits[static_cast<std::size_t>(y) * out.width + x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
    }
}

int RealizedFont::text_width(const char* text, int count) const {
    int width = 0;
    for (int i = 0; i < count; ++i) width += glyph(static_cast<unsigned char>(text[i])).advance;
    return width;
}

}  // namespace winsim::gdi
