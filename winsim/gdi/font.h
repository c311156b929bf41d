// A logical font: the LOGFONT it was created from; realised on first use.
#pragma once

#include "gdi/gdi_object.h"
#include "gdi/realized_font.h"
#include "win/gdi.h"

namespace winsim::gdi {

class Font : public GdiObject {
public:
    explicit Font(const LOGFONTA& logfont) : logfont_(logfont) {}
    ObjectKind kind() const override { return ObjectKind::Font; }

    const LOGFONTA& logfont() const { return logfont_; }
    const RealizedFont& realized() const {
        if (!realized_) realized_ = &RealizedFont::for_logfont(logfont_);
        return *realized_;
    }

private:
    LOGFONTA logfont_;
    mutable const RealizedFont* realized_ = nullptr;
};

}  // namespace winsim::gdi
