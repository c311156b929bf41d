#include "kernel/command_line.h"

namespace winsim::kernel {

namespace {

bool is_space(char c) { return c == ' ' || c == '\t'; }

}  // namespace

CommandLine split_command_line(std::string_view line) {
    CommandLine result;
    std::size_t i = 0;
    while (i < line.size() && is_space(line[i])) ++i;
    if (i < line.size() && line[i] == '"') {
        std::size_t close = line.find('"', i + 1);
        std::size_t end = close == std::string_view::npos ? line.size() : close;
        result.program = std::string(line.substr(i + 1, end - i - 1));
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        std::size_t start = i;
        while (i < line.size() && !is_space(line[i])) ++i;
        result.program = std::string(line.substr(start, i - start));
    }

    while (true) {
        while (i < line.size() && is_space(line[i])) ++i;
        if (i >= line.size()) break;
        std::string argument;
        bool quoted = false;
        while (i < line.size() && (quoted || !is_space(line[i]))) {
            if (line[i] == '\\') {
                std::size_t run = 0;
                while (i < line.size() && line[i] == '\\') ++run, ++i;
                if (i < line.size() && line[i] == '"') {
                    argument.append(run / 2, '\\');
                    if (run % 2 == 1) {
                        argument += '"';
                        ++i;
                    }
                } else {
                    argument.append(run, '\\');
                }
            } else if (line[i] == '"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument += line[i++];
            }
        }
        result.arguments.push_back(std::move(argument));
    }
    return result;
}

std::string_view program_file_name(std::string_view program) {
    std::size_t cut = program.find_last_of("\\/:");
    return cut == std::string_view::npos ? program : program.substr(cut + 1);
}

}  // namespace winsim::kernel
