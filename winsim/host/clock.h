// The tick count of the simulated machine: the host's monotonic time, or a virtual clock
// that moves only while the program waits or polls, so that scripted runs are repeatable
// and take no real time.
#pragma once

#include <cstdint>

namespace winsim::host {

class Clock {
public:
    enum class Mode { Real, Virtual };

    explicit Clock(Mode mode);

    Mode mode() const { return mode_; }
    bool is_virtual() const { return mode_ == Mode::Virtual; }

    // Milliseconds since the machine started, wrapping at 2^32 like GetTickCount.
    std::uint32_t now() const;

    // Virtual clock only: lets `ms` milliseconds pass (ignored by the real clock).
    void advance(std::uint32_t ms);
    // Virtual clock only: moves to `tick` unless that lies in the past.
    void advance_to(std::uint32_t tick);

    // Real clock only: sleeps the thread up to `ms` milliseconds (the virtual clock jumps instead).
    void sleep(std::uint32_t ms);

private:
    Mode mode_;
    std::uint32_t virtual_now_;
    std::int64_t real_origin_ms_;
};

// WINSIM_CLOCK picks the mode: "real" or "virtual"; the default is virtual when a script
// drives the program (WINSIM_SCRIPT) and real otherwise.
Clock::Mode clock_mode_from_environment();

// The clock of this process, made on first use with the mode of the environment.
Clock& clock();

// Replaces the process clock (tests use it to run under both modes).
void reset_clock(Clock::Mode mode);

}  // namespace winsim::host
