// Windows command lines: the program name and the arguments, split by the rules the
// Microsoft C runtime applies.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace winsim::kernel {

struct CommandLine {
    std::string program;                  // the first token, quotes removed
    std::vector<std::string> arguments;   // the rest
};

// The first token ends at the next double quote when it starts with one, else at white
// space; backslashes in it are ordinary. In the arguments, 2n backslashes before a quote
// give n backslashes and the quote opens or closes a quoted part; 2n+1 give n and a literal
// quote; "" inside a quoted part is a literal quote; other backslashes are ordinary.
CommandLine split_command_line(std::string_view line);

// The file name of a program path: what follows its last backslash, slash or colon.
std::string_view program_file_name(std::string_view program);

}  // namespace winsim::kernel
