// Font files found through fontconfig and opened with FreeType, each opened once per process.
#pragma once

#include <map>
#include <string>
#include <tuple>

// FreeType's handles, kept opaque so that users of this header need no FreeType headers.
typedef struct FT_FaceRec_* FT_Face;
typedef struct FT_SizeRec_* FT_Size;
typedef struct FT_LibraryRec_* FT_Library;

#include "win/gdi.h"

namespace winsim::gdi {

// An opened face and what the request asked of it that the file lacks.
struct FaceChoice {
    FT_Face face = nullptr;
    bool synthetic_bold = false;     // the request is bold, the file is not
    bool synthetic_italic = false;
};

class FaceLibrary {
public:
    static FaceLibrary& instance();
    ~FaceLibrary();

    FT_Library library() const { return library_; }

    // The host family that stands in for a Windows face name and pitch-and-family byte.
    static std::string host_family(const char* face_name, BYTE pitch_and_family);

    // The face for a family, bold and italic; DejaVu Sans when the family is not installed.
    // Null only when not even that can be opened.
    FaceChoice choose(const std::string& family, bool bold, bool italic);

private:
    FaceLibrary();
    FT_Face open(const std::string& file, int index);
    bool match(const std::string& family, bool bold, bool italic, std::string& file, int& index,
               bool& is_bold, bool& is_italic);

    FT_Library library_ = nullptr;
    std::map<std::tuple<std::string, bool, bool>, FaceChoice> choices_;
    std::map<std::pair<std::string, int>, FT_Face> faces_;
};

}  // namespace winsim::gdi
