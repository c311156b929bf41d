// The scripted user (WINSIM_SCRIPT): reads one command a line and carries it out while
// the program waits for input, through the same input path as a person's mouse and
// keyboard. A command that fails, or a program that waits for input after the script
// ended, ends the process with exit code 70 after a screenshot beside the script.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace winsim::host {

class ScriptedUser {
public:
    static constexpr int kFailureExitCode = 70;
    static constexpr std::uint32_t kCommandTimeoutMs = 30000;

    struct Command {
        int line = 0;
        std::string verb;
        std::string text;           // the quoted text
        std::string name;           // a key name, or the #ID in text form
        int id = 0;                 // #ID
        bool has_id = false;
        int numbers[4] = {0, 0, 0, 0};
    };

    // Parses a script; on a malformed line `error` names it and null is returned.
    static std::unique_ptr<ScriptedUser> parse(const std::filesystem::path& path, const std::string& text,
                                               std::string& error);

    // The scripted user of this process (WINSIM_SCRIPT), or null. A script that cannot be
    // read or parsed ends the process with the failure exit code.
    static ScriptedUser* active();
    static void set_active(std::unique_ptr<ScriptedUser> user);

    // The program found nothing to take: `blocking` when it waits (GetMessageA), not when
    // it polls (PeekMessageA). Answers whether it did something the program should see.
    bool on_idle(bool blocking);

    // The tick at which the scripted user wants to look again (end of a sleep, time limit).
    std::optional<std::uint32_t> wake_tick() const;

    // The program ends: commands still waiting to run fail the script.
    void check_finished_at_exit();

    bool finished() const { return next_ >= commands_.size(); }
    const std::vector<Command>& commands() const { return commands_; }

private:
    enum class Step { Done, NotYet, Acted };
    Step run(const Command& command);
    [[noreturn]] void fail(const Command* command, const std::string& why);

    std::filesystem::path path_;
    std::vector<Command> commands_;
    std::size_t next_ = 0;
    std::optional<std::uint32_t> started_;   // when the current command was first tried
    std::string last_reason_;                // why the current command could not run yet
    std::optional<std::uint32_t> ended_idle_since_;   // first wait for input after the last command
};

}  // namespace winsim::host
