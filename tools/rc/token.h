// The units the script parser reads, each stamped with the line it came from.
#pragma once

#include <cstdint>
#include <string>

#include "compile_error.h"

namespace rc {

enum class TokenKind { Number, Name, String, Punct, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;         // a name, the decoded bytes of a string, or the punctuation
    std::int64_t number = 0;  // the value of a number
    Location where;

    bool is_punct(char c) const { return kind == TokenKind::Punct && text.size() == 1 && text[0] == c; }
};

}  // namespace rc
