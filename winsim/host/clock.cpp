#include "host/clock.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace winsim::host {

namespace {

// The virtual machine has been up for a little while, as a real one would have.
constexpr std::uint32_t kVirtualStart = 600000;

std::int64_t steady_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::unique_ptr<Clock>& process_clock() {
    static std::unique_ptr<Clock> instance;
    return instance;
}

}  // namespace

Clock::Clock(Mode mode) : mode_(mode), virtual_now_(kVirtualStart), real_origin_ms_(steady_ms()) {}

std::uint32_t Clock::now() const {
    if (mode_ == Mode::Virtual) return virtual_now_;
    return static_cast<std::uint32_t>(kVirtualStart + (steady_ms() - real_origin_ms_));
}

void Clock::advance(std::uint32_t ms) {
    if (mode_ == Mode::Virtual) virtual_now_ += ms;
}

void Clock::advance_to(std::uint32_t tick) {
    if (mode_ != Mode::Virtual) return;
    auto ahead = static_cast<std::int32_t>(tick - virtual_now_);
    if (ahead > 0) virtual_now_ = tick;
}

void Clock::sleep(std::uint32_t ms) {
    if (mode_ == Mode::Real && ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

Clock::Mode clock_mode_from_environment() {
    const char* mode = std::getenv("WINSIM_CLOCK");
    if (mode && std::strcmp(mode, "real") == 0) return Clock::Mode::Real;
    if (mode && std::strcmp(mode, "virtual") == 0) return Clock::Mode::Virtual;
    const char* script = std::getenv("WINSIM_SCRIPT");
    return (script && *script) ? Clock::Mode::Virtual : Clock::Mode::Real;
}

Clock& clock() {
    auto& instance = process_clock();
    if (!instance) instance = std::make_unique<Clock>(clock_mode_from_environment());
    return *instance;
}

void reset_clock(Clock::Mode mode) { process_clock() = std::make_unique<Clock>(mode); }

}  // namespace winsim::host
