// The libraries behind fonts and the host window keep memory the leak checker of sanitizer
// builds would report; their users call this so that its suppressions are linked in.
#pragma once

namespace winsim::gdi {

void keep_leak_suppressions();

}  // namespace winsim::gdi
