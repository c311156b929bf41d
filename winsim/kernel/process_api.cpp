// CreateProcessA runs the host command that winsim.ini [programs] names for the program.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/prefix.h"
#include "kernel/api_path.h"
#include "kernel/child_process.h"
#include "kernel/code_page.h"
#include "kernel/command_line.h"
#include "kernel/handle_table.h"
#include "win/kernel.h"

extern char** environ;

namespace winsim::kernel {

namespace {

namespace fs = std::filesystem;

// The [programs] value for a program file name, with or without its ".exe".
std::optional<std::string> listed_command(std::string_view file_name) {
    const host::IniFile::Section* programs = host::prefix().ini().section("programs");
    if (!programs || file_name.empty()) return std::nullopt;
    std::string with_exe(file_name);
    std::string without_exe(file_name);
    if (with_exe.size() >= 4 && ansi_iequal(std::string_view(with_exe).substr(with_exe.size() - 4), ".exe"))
        without_exe.resize(without_exe.size() - 4);
    else
        with_exe += ".exe";
    for (const host::IniFile::Entry& e : programs->entries)
        if (ansi_iequal(e.key, with_exe) || ansi_iequal(e.key, without_exe)) return e.value;
    return std::nullopt;
}

// The words of a host command; double quotes group a word that holds spaces.
std::vector<std::string> host_words(std::string_view command) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < command.size()) {
        while (i < command.size() && (command[i] == ' ' || command[i] == '\t')) ++i;
        if (i >= command.size()) break;
        std::string word;
        bool quoted = false;
        while (i < command.size() && (quoted || (command[i] != ' ' && command[i] != '\t'))) {
            if (command[i] == '"') quoted = !quoted;
            else word += command[i];
            ++i;
        }
        words.push_back(word);
    }
    return words;
}

bool is_executable(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec) && ::access(p.c_str(), X_OK) == 0;
}

// A bare command is looked for beside our own program first (build/bin), then on PATH.
std::optional<fs::path> find_host_program(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        std::error_code ec;
        fs::path p = fs::absolute(name, ec);
        return is_executable(p) ? std::optional<fs::path>(p) : std::nullopt;
    }
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && is_executable(self.parent_path() / name)) return self.parent_path() / name;
    const char* path = std::getenv("PATH");
    std::string_view dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!dirs.empty()) {
        std::size_t cut = dirs.find(':');
        std::string dir(dirs.substr(0, cut));
        dirs.remove_prefix(cut == std::string_view::npos ? dirs.size() : cut + 1);
        if (!dir.empty() && is_executable(fs::path(dir) / name)) return fs::path(dir) / name;
    }
    return std::nullopt;
}

// The environment of the new process: the given block (or ours), with WINSIM_PREFIX.
std::vector<std::string> child_environment(const char* block) {
    std::vector<std::string> variables;
    if (block) {
        for (const char* p = block; *p; p += std::strlen(p) + 1) variables.emplace_back(p);
    } else {
        for (char** e = environ; e && *e; ++e) variables.emplace_back(*e);
    }
    std::erase_if(variables, [](const std::string& v) { return v.rfind("WINSIM_PREFIX=", 0) == 0; });
    variables.push_back("WINSIM_PREFIX=" + host::prefix().root().string());
    return variables;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> out;
    for (std::string& t : texts) out.push_back(t.data());
    out.push_back(nullptr);
    return out;
}

// Forks and executes; answers the pid, or -1 when the program could not be started.
pid_t spawn(const fs::path& program, std::vector<std::string>& argv, std::vector<std::string>& envp,
            const fs::path* folder) {
    std::vector<char*> argv_pointers = pointers(argv);
    std::vector<char*> env_pointers = pointers(envp);
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return -1;
    pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return -1;
    }
    if (child == 0) {
        int error = 0;
        if (folder && ::chdir(folder->c_str()) != 0) error = errno;
        if (error == 0) {
            ::execve(program.c_str(), argv_pointers.data(), env_pointers.data());
            error = errno;
        }
        ssize_t ignored = ::write(report[1], &error, sizeof error);
        (void)ignored;
        ::_exit(127);
    }
    ::close(report[1]);
    int error = 0;
    ssize_t n;
    do n = ::read(report[0], &error, sizeof error);
    while (n < 0 && errno == EINTR);
    ::close(report[0]);
    if (n > 0) {
        int status;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
        return -1;
    }
    return child;
}

BOOL fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

}  // namespace

}  // namespace winsim::kernel

using namespace winsim::kernel;

BOOL WINAPI CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES,
                           LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID lpEnvironment,
                           LPCSTR lpCurrentDirectory, LPSTARTUPINFOA lpStartupInfo,
                           LPPROCESS_INFORMATION lpProcessInformation) {
    if ((!lpApplicationName && !lpCommandLine) || !lpStartupInfo || !lpProcessInformation)
        return fail(ERROR_INVALID_PARAMETER);
    CommandLine line = split_command_line(lpCommandLine ? lpCommandLine : "");
    std::string program = lpApplicationName ? std::string(lpApplicationName) : line.program;

    std::optional<std::string> command = listed_command(program_file_name(program));
    if (!command) return fail(ERROR_FILE_NOT_FOUND);
    std::vector<std::string> argv = host_words(*command);
    if (argv.empty()) return fail(ERROR_FILE_NOT_FOUND);
    std::optional<fs::path> host_program = find_host_program(argv[0]);
    if (!host_program) return fail(ERROR_FILE_NOT_FOUND);

    std::optional<fs::path> folder;
    if (lpCurrentDirectory) {
        std::optional<winsim::host::HostPath> where = resolve_api_path(lpCurrentDirectory);
        std::error_code ec;
        if (!where || !where->exists || !fs::is_directory(where->host, ec)) return fail(ERROR_DIRECTORY);
        folder = where->host;
    }

    // The arguments travel unchanged: Windows paths in the ANSI code page, as UTF-8.
    for (const std::string& a : line.arguments) argv.push_back(ansi_to_utf8(a));
    std::vector<std::string> envp = child_environment(static_cast<const char*>(lpEnvironment));
    pid_t pid = spawn(*host_program, argv, envp, folder ? &*folder : nullptr);
    if (pid < 0) return fail(ERROR_FILE_NOT_FOUND);

    auto process = std::make_shared<ChildProcess>(pid);
    lpProcessInformation->hProcess = HandleTable::instance().add(std::make_shared<ProcessHandle>(process));
    lpProcessInformation->hThread = HandleTable::instance().add(std::make_shared<ProcessHandle>(process));
    lpProcessInformation->dwProcessId = DWORD(pid);
    lpProcessInformation->dwThreadId = DWORD(pid);
    return TRUE;
}

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    std::shared_ptr<WaitableObject> object = HandleTable::instance().find_as<WaitableObject>(hHandle);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    return object->wait(dwMilliseconds);
}
