// A host process started by CreateProcessA, shared by its process and thread handles.
#pragma once

#include <sys/types.h>

#include <memory>
#include <mutex>

#include "kernel/kernel_object.h"
#include "win/kernel.h"

namespace winsim::kernel {

class ChildProcess {
public:
    explicit ChildProcess(pid_t pid) : pid_(pid) {}
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    // WAIT_OBJECT_0 once the process has ended, WAIT_TIMEOUT when it outlives `milliseconds`.
    DWORD wait(DWORD milliseconds);

private:
    bool reap(bool block);

    std::mutex mutex_;
    pid_t pid_;
    bool ended_ = false;
    int status_ = 0;
};

// What WaitForSingleObject can wait on.
class WaitableObject : public KernelObject {
public:
    virtual DWORD wait(DWORD milliseconds) = 0;
};

// A process handle or a thread handle (the process's only thread ends with it).
class ProcessHandle : public WaitableObject {
public:
    explicit ProcessHandle(std::shared_ptr<ChildProcess> process) : process_(std::move(process)) {}
    DWORD wait(DWORD milliseconds) override { return process_->wait(milliseconds); }

private:
    std::shared_ptr<ChildProcess> process_;
};

}  // namespace winsim::kernel
