#include "com/apartment.h"

namespace winsim::com {

Apartment& Apartment::current() {
    thread_local Apartment apartment;
    return apartment;
}

HRESULT Apartment::enter() {
    return depth_++ == 0 ? S_OK : S_FALSE;
}

void Apartment::leave() {
    // An unbalanced CoUninitialize is ignored, as Windows does.
    if (depth_ > 0) --depth_;
}

}  // namespace winsim::com
