// The display without a screen: pictures stay in memory for screenshots; no input arrives.
#pragma once

#include "host/display.h"

namespace winsim::host {

class HeadlessDisplay : public Display {
public:
    HeadlessDisplay(int width, int height) : Display(width, height) {}
    bool poll_input(InputEvent&) override { return false; }
};

}  // namespace winsim::host
