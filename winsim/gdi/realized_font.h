// A logical font made real: a face at the pixel sizes LOGFONT asks for, its metrics the way
// Windows reports them, and its monochrome glyphs of the Windows-1252 characters, rendered
// once and kept.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// FreeType's handles, kept opaque so that users of this header need no FreeType headers.
typedef struct FT_FaceRec_* FT_Face;
typedef struct FT_SizeRec_* FT_Size;
typedef struct FT_LibraryRec_* FT_Library;

#include "win/gdi.h"

namespace winsim::gdi {

// One character's picture: `bits` holds width x height bytes, 1 where ink falls; left and
// top place it relative to the pen position on the baseline (top counts upwards).
struct Glyph {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int advance = 0;
    std::vector<std::uint8_t> bits;
};

class RealizedFont {
public:
    // The shared realisation of a logical font; the same description gives the same object.
    static const RealizedFont& for_logfont(const LOGFONTA& logfont);

    int height() const { return ascent_ + descent_; }
    int ascent() const { return ascent_; }
    int descent() const { return descent_; }
    int internal_leading() const { return internal_leading_; }
    int average_width() const { return average_width_; }
    int max_width() const { return max_width_; }
    int weight() const { return weight_; }
    bool underline() const { return underline_; }
    bool strike_out() const { return strike_out_; }
    int underline_offset() const { return underline_offset_; }   // below the baseline
    int line_thickness() const { return line_thickness_; }
    BYTE pitch_and_family() const { return pitch_and_family_; }

    const Glyph& glyph(unsigned char ch) const;
    int text_width(const char* text, int count) const;

    RealizedFont(const LOGFONTA& logfont);
    ~RealizedFont();
    RealizedFont(const RealizedFont&) = delete;
    RealizedFont& operator=(const RealizedFont&) = delete;

private:
    void render(unsigned char ch, Glyph& out) const;

    FT_Face face_ = nullptr;
    FT_Size size_ = nullptr;
    bool synthetic_bold_ = false;
    bool synthetic_italic_ = false;
    int ascent_ = 0;
    int descent_ = 0;
    int internal_leading_ = 0;
    int average_width_ = 0;
    int max_width_ = 0;
    int weight_ = FW_NORMAL;
    bool underline_ = false;
    bool strike_out_ = false;
    int underline_offset_ = 1;
    int line_thickness_ = 1;
    BYTE pitch_and_family_ = 0;
    mutable std::array<std::unique_ptr<Glyph>, 256> glyphs_;
};

}  // namespace winsim::gdi
