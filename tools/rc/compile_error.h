// A fault in a script: where it is and what is wrong. The compiler stops at the first.
#pragma once

#include <stdexcept>
#include <string>

namespace rc {

struct Location {
    std::string file;
    int line = 0;
};

class CompileError : public std::runtime_error {
public:
    CompileError(const Location& where, const std::string& message)
        : std::runtime_error(where.file + ":" + std::to_string(where.line) + ": " + message),
          where_(where) {}
    const Location& where() const { return where_; }

private:
    Location where_;
};

}  // namespace rc
