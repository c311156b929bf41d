// A logical palette. The screen is true-colour, so a realised palette changes no colour:
// it only answers for DIB_PAL_COLORS indices.
#pragma once

#include <vector>

#include "gdi/gdi_object.h"
#include "win/gdi.h"

namespace winsim::gdi {

class Palette : public GdiObject {
public:
    explicit Palette(std::vector<PALETTEENTRY> entries) : entries_(std::move(entries)) {}
    ObjectKind kind() const override { return ObjectKind::Palette; }
    const std::vector<PALETTEENTRY>& entries() const { return entries_; }

private:
    std::vector<PALETTEENTRY> entries_;
};

}  // namespace winsim::gdi
