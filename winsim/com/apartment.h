// The COM apartment of one thread: how many successful CoInitialize calls are still open.
#pragma once

#include "win/base.h"

namespace winsim::com {

class Apartment {
public:
    // The calling thread's apartment.
    static Apartment& current();

    // S_OK when this call opened the apartment, S_FALSE when it was already open.
    HRESULT enter();
    // Closes one level; the apartment ends when the last level closes.
    void leave();
    bool initialised() const { return depth_ > 0; }

private:
    unsigned depth_ = 0;
};

}  // namespace winsim::com
