#include "gdi/face_library.h"
#include "gdi/leak_suppressions.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <algorithm>
#include <cctype>

namespace winsim::gdi {

namespace {

std::string lower(const char* text) {
    std::string out;
    for (const char* p = text; *p; ++p) out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(*p))));
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// Windows face names and the metric-compatible host families that replace them.
struct FaceAlias {
    const char* windows;
    const char* host;
};
constexpr FaceAlias kAliases[] = {
    {"comic sans ms", "Comic Neue"},
    {"arial", "Liberation Sans"},
    // The classic dialog face averages 5-6 pixels a character at 8 pt; the regular sans
    // averages more than 6, so labels laid out for it wrap. The narrow cut fits.
    {"ms sans serif", "Liberation Sans Narrow"},
    {"ms shell dlg", "Liberation Sans"},
    {"ms shell dlg 2", "Liberation Sans"},
    {"helv", "Liberation Sans"},
    {"system", "Liberation Sans"},
    {"tahoma", "Liberation Sans"},
    {"times new roman", "Liberation Serif"},
    {"ms serif", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},
};

constexpr const char* kLastResort = "DejaVu Sans";

}  // namespace

FaceLibrary& FaceLibrary::instance() {
    // Lives as long as the process: realised fonts hold its faces until the very end.
    static FaceLibrary* library = new FaceLibrary;
    return *library;
}

FaceLibrary::FaceLibrary() {
    keep_leak_suppressions();
    FT_Init_FreeType(&library_);
    FcInit();
}

FaceLibrary::~FaceLibrary() {
    for (auto& [key, face] : faces_) FT_Done_Face(face);
    if (library_) FT_Done_FreeType(library_);
}

std::string FaceLibrary::host_family(const char* face_name, BYTE pitch_and_family) {
    std::string name = lower(face_name ? face_name : "");
    for (const FaceAlias& alias : kAliases)
        if (name == alias.windows) return alias.host;
    if (!name.empty()) return face_name;
    if ((pitch_and_family & 0x03) == FIXED_PITCH) return "Liberation Mono";
    switch (pitch_and_family & 0xF0) {
        case FF_ROMAN: return "Liberation Serif";
        case FF_MODERN: return "Liberation Mono";
        case FF_SCRIPT: return "Comic Neue";
        default: return "Liberation Sans";
    }
}

bool FaceLibrary::match(const std::string& family, bool bold, bool italic, std::string& file,
                        int& index, bool& is_bold, bool& is_italic) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!found) return false;

    bool ok = false;
    FcChar8* found_family = nullptr;
    FcChar8* found_file = nullptr;
    if (FcPatternGetString(found, FC_FAMILY, 0, &found_family) == FcResultMatch &&
        FcPatternGetString(found, FC_FILE, 0, &found_file) == FcResultMatch &&
        strcasecmp(reinterpret_cast<const char*>(found_family), family.c_str()) == 0) {
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        index = 0;
        FcPatternGetInteger(found, FC_INDEX, 0, &index);
        FcPatternGetInteger(found, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(found, FC_SLANT, 0, &slant);
        file = reinterpret_cast<const char*>(found_file);
        is_bold = weight >= FC_WEIGHT_DEMIBOLD;
        is_italic = slant != FC_SLANT_ROMAN;
        ok = true;
    }
    FcPatternDestroy(found);
    return ok;
}

FT_Face FaceLibrary::open(const std::string& file, int index) {
    auto key = std::make_pair(file, index);
    auto it = faces_.find(key);
    if (it != faces_.end()) return it->second;
    FT_Face face = nullptr;
    if (FT_New_Face(library_, file.c_str(), index, &face) != 0) face = nullptr;
    faces_.emplace(key, face);
    return face;
}

FaceChoice FaceLibrary::choose(const std::string& family, bool bold, bool italic) {
    auto key = std::make_tuple(family, bold, italic);
    auto it = choices_.find(key);
    if (it != choices_.end()) return it->second;

    FaceChoice choice;
    std::string file;
    int index = 0;
    bool is_bold = false;
    bool is_italic = false;
    if (match(family, bold, italic, file, index, is_bold, is_italic) ||
        match(kLastResort, bold, italic, file, index, is_bold, is_italic)) {
        choice.face = open(file, index);
        choice.synthetic_bold = bold && !is_bold;
        choice.synthetic_italic = italic && !is_italic;
    }
    choices_.emplace(key, choice);
    return choice;
}

}  // namespace winsim::gdi

