#include "gdi/leak_suppressions.h"

namespace winsim::gdi {

void keep_leak_suppressions() {}

}  // namespace winsim::gdi

// fontconfig loses memory while parsing its configuration, and the desktop-bus client SDL
// starts keeps its own; none of it is ours. Only sanitizer builds ask for this list.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WINSIM_LEAK_CHECKED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define WINSIM_LEAK_CHECKED 1
#endif
#ifdef WINSIM_LEAK_CHECKED
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n";
}
#endif
