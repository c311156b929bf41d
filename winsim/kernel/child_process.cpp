#include "kernel/child_process.h"

#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace winsim::kernel {

ChildProcess::~ChildProcess() {
    // Closing the last handle leaves the process running, as on Windows; reap it if done.
    std::lock_guard lock(mutex_);
    reap(false);
}

bool ChildProcess::reap(bool block) {
    if (ended_) return true;
    while (true) {
        pid_t done = ::waitpid(pid_, &status_, block ? 0 : WNOHANG);
        if (done == pid_) {
            ended_ = true;
            return true;
        }
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) {
            ended_ = true;   // already reaped elsewhere: it has ended all the same
            return true;
        }
        return false;
    }
}

DWORD ChildProcess::wait(DWORD milliseconds) {
    std::lock_guard lock(mutex_);
    if (milliseconds == INFINITE) {
        reap(true);
        return WAIT_OBJECT_0;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!reap(false)) {
        if (std::chrono::steady_clock::now() >= deadline) return WAIT_TIMEOUT;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return WAIT_OBJECT_0;
}

}  // namespace winsim::kernel
