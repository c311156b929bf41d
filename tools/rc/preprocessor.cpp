#include "preprocessor.h"

#include <cctype>
#include <cstdlib>

namespace rc {

namespace {

const int MAX_INCLUDE_DEPTH = 32;
const int MAX_EXPANSION_DEPTH = 64;
const int MAX_CONDITION_NESTING = 200;

bool is_name_start(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool is_name_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool is_header_file(const std::string& path) {
    auto dot = path.find_last_of('.');
    if (dot == std::string::npos) return false;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == "h" || ext == "hh" || ext == "hpp" || ext == "hxx" || ext == "c" || ext == "cpp";
}

// Replaces comments by spaces, keeping line breaks and the insides of strings.
std::string strip_comments(const std::string& text) {
    std::string out = text;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        char c = text[i];
        if (c == '"') {
            ++i;
            while (i < n && text[i] != '\n') {
                if (text[i] == '\\' && i + 1 < n && text[i + 1] != '\n') {
                    i += 2;
                } else if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        i += 2;
                    } else {
                        ++i;
                        break;
                    }
                } else {
                    ++i;
                }
            }
        } else if (c == '/' && i + 1 < n && text[i + 1] == '/') {
            while (i < n && text[i] != '\n') out[i++] = ' ';
        } else if (c == '/' && i + 1 < n && text[i + 1] == '*') {
            out[i++] = ' ';
            out[i++] = ' ';
            while (i < n && !(text[i] == '*' && i + 1 < n && text[i + 1] == '/')) {
                if (text[i] != '\n') out[i] = ' ';
                ++i;
            }
            if (i < n) {
                out[i++] = ' ';
                out[i++] = ' ';
            }
        } else {
            ++i;
        }
    }
    return out;
}

std::string trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t\r\f\v");
    if (b == std::string::npos) return "";
    std::size_t e = s.find_last_not_of(" \t\r\f\v");
    return s.substr(b, e - b + 1);
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Evaluates the constant expression of an #if over already expanded tokens.
class ConditionEvaluator {
public:
    ConditionEvaluator(const std::vector<Token>& tokens, const Location& where)
        : tokens_(tokens), where_(where) {}

    std::int64_t evaluate() {
        std::int64_t value = logical_or();
        if (pos_ != tokens_.size()) fail("unexpected '" + tokens_[pos_].text + "' in #if");
        return value;
    }

private:
    bool at(const char* op) const {
        return pos_ < tokens_.size() && tokens_[pos_].kind == TokenKind::Punct && tokens_[pos_].text == op;
    }
    [[noreturn]] void fail(const std::string& message) const { throw CompileError(where_, message); }

    std::int64_t logical_or() {
        std::int64_t v = logical_and();
        while (at("||")) { ++pos_; std::int64_t r = logical_and(); v = (v || r); }
        return v;
    }
    std::int64_t logical_and() {
        std::int64_t v = comparison();
        while (at("&&")) { ++pos_; std::int64_t r = comparison(); v = (v && r); }
        return v;
    }
    std::int64_t comparison() {
        std::int64_t v = bitwise();
        for (;;) {
            if (at("==")) { ++pos_; v = v == bitwise(); }
            else if (at("!=")) { ++pos_; v = v != bitwise(); }
            else if (at("<=")) { ++pos_; v = v <= bitwise(); }
            else if (at(">=")) { ++pos_; v = v >= bitwise(); }
            else if (at("<")) { ++pos_; v = v < bitwise(); }
            else if (at(">")) { ++pos_; v = v > bitwise(); }
            else return v;
        }
    }
    std::int64_t bitwise() {
        std::int64_t v = additive();
        for (;;) {
            if (at("|")) { ++pos_; v |= additive(); }
            else if (at("&")) { ++pos_; v &= additive(); }
            else return v;
        }
    }
    std::int64_t additive() {
        std::int64_t v = unary();
        for (;;) {
            if (at("+")) { ++pos_; v += unary(); }
            else if (at("-")) { ++pos_; v -= unary(); }
            else return v;
        }
    }
    std::int64_t unary() {
        if (++depth_ > MAX_CONDITION_NESTING) fail("#if expression nested too deeply");
        std::int64_t v = unary_value();
        --depth_;
        return v;
    }
    std::int64_t unary_value() {
        if (at("!")) { ++pos_; return !unary(); }
        if (at("-")) { ++pos_; return -unary(); }
        if (at("~")) { ++pos_; return ~unary(); }
        if (at("(")) {
            ++pos_;
            std::int64_t v = logical_or();
            if (!at(")")) fail("missing ')' in #if");
            ++pos_;
            return v;
        }
        if (pos_ >= tokens_.size()) fail("#if expression ends early");
        const Token& t = tokens_[pos_++];
        if (t.kind == TokenKind::Number) return t.number;
        if (t.kind == TokenKind::Name) return 0;  // an undefined name counts as 0
        fail("unexpected '" + t.text + "' in #if");
    }

    const std::vector<Token>& tokens_;
    Location where_;
    std::size_t pos_ = 0;
    int depth_ = 0;
};

}  // namespace

std::string join_host_path(const std::string& folder, const std::string& name) {
    if (name.empty() || name[0] == '/' || folder.empty() || folder == ".") return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string host_folder_of(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

Preprocessor::Preprocessor(FileReader reader, std::vector<std::string> include_dirs)
    : reader_(std::move(reader)), include_dirs_(std::move(include_dirs)) {}

void Preprocessor::define(const std::string& name, const std::string& value) {
    macros_[name] = Macro{value};
}

std::string Preprocessor::resolve(const std::string& name, const std::string& beside) const {
    if (!name.empty() && name[0] == '/') return reader_(name) ? name : "";
    std::string candidate = join_host_path(host_folder_of(beside), name);
    if (reader_(candidate)) return candidate;
    for (const std::string& dir : include_dirs_) {
        candidate = join_host_path(dir, name);
        if (reader_(candidate)) return candidate;
    }
    return "";
}

std::vector<Token> Preprocessor::run(const std::string& path) {
    tokens_.clear();
    process_file(path, Location{path, 0}, 0);
    Token end;
    end.kind = TokenKind::End;
    end.where = Location{path, tokens_.empty() ? 1 : tokens_.back().where.line};
    if (!tokens_.empty()) end.where = tokens_.back().where;
    tokens_.push_back(end);
    return std::move(tokens_);
}

void Preprocessor::process_file(const std::string& path, const Location& from, int depth) {
    if (depth > MAX_INCLUDE_DEPTH) throw CompileError(from, "#include nested too deeply");
    if (once_files_.count(path)) return;
    std::optional<std::string> text = reader_(path);
    if (!text) throw CompileError(from, "cannot read '" + path + "'");
    files_read_.push_back(path);
    const bool header = is_header_file(path);
    const std::string stripped = strip_comments(*text);
    std::vector<Condition> conditions;

    std::size_t pos = 0;
    int line_number = 0;
    while (pos <= stripped.size()) {
        std::size_t end = stripped.find('\n', pos);
        if (end == std::string::npos) end = stripped.size();
        std::string line = stripped.substr(pos, end - pos);
        ++line_number;
        const int first_line = line_number;
        pos = end + 1;
        // A directive may continue on the next line after a trailing backslash.
        if (!trim(line).empty() && trim(line)[0] == '#') {
            while (!line.empty() && (trim(line).back() == '\\') && pos <= stripped.size()) {
                std::string t = trim(line);
                line = t.substr(0, t.size() - 1);
                end = stripped.find('\n', pos);
                if (end == std::string::npos) end = stripped.size();
                line += " " + stripped.substr(pos, end - pos);
                ++line_number;
                pos = end + 1;
            }
        }
        process_line(line, Location{path, first_line}, header, depth, conditions);
        if (end == stripped.size()) break;
    }
    if (!conditions.empty()) throw CompileError(Location{path, conditions.back().line}, "#if without #endif");
}

bool Preprocessor::active(const std::vector<Condition>& conditions) const {
    return conditions.empty() || (conditions.back().outer_active && conditions.back().taking);
}

void Preprocessor::process_line(const std::string& line, const Location& where, bool header,
                                int depth, std::vector<Condition>& conditions) {
    std::string text = trim(line);
    if (text.empty()) return;
    if (text[0] == '#') {
        directive(trim(text.substr(1)), where, depth, conditions);
        return;
    }
    if (header || !active(conditions)) return;
    std::vector<Token> raw = tokenize(text, where);
    for (const Token& token : raw) {
        std::set<std::string> expanding;
        expand_into(token, tokens_, expanding, 0);
    }
}

void Preprocessor::directive(const std::string& text, const Location& where, int depth,
                             std::vector<Condition>& conditions) {
    std::size_t word_end = 0;
    while (word_end < text.size() && is_name_char(text[word_end])) ++word_end;
    const std::string word = text.substr(0, word_end);
    const std::string rest = trim(text.substr(word_end));

    if (word == "if" || word == "ifdef" || word == "ifndef") {
        const bool outer = active(conditions);
        bool take = false;
        if (outer) {
            if (word == "if") {
                take = evaluate_condition(rest, where);
            } else {
                std::string name = rest.substr(0, rest.find_first_of(" \t"));
                if (name.empty()) throw CompileError(where, "#" + word + " needs a name");
                take = macros_.count(name) != 0;
                if (word == "ifndef") take = !take;
            }
        }
        conditions.push_back(Condition{outer, take, take, false, where.line});
        return;
    }
    if (word == "elif" || word == "else" || word == "endif") {
        if (conditions.empty()) throw CompileError(where, "#" + word + " without #if");
        Condition& c = conditions.back();
        if (word == "endif") {
            conditions.pop_back();
        } else if (c.seen_else) {
            throw CompileError(where, "#" + word + " after #else");
        } else if (word == "else") {
            c.seen_else = true;
            c.taking = !c.taken_before;
            c.taken_before = true;
        } else {
            c.taking = !c.taken_before && c.outer_active && evaluate_condition(rest, where);
            c.taken_before = c.taken_before || c.taking;
        }
        return;
    }
    if (!active(conditions)) return;

    if (word == "define") {
        std::size_t n = 0;
        while (n < rest.size() && is_name_char(rest[n])) ++n;
        if (n == 0 || !is_name_start(rest[0])) throw CompileError(where, "#define needs a name");
        const std::string name = rest.substr(0, n);
        // Macros with parameters are left out: no resource statement uses them.
        if (n < rest.size() && rest[n] == '(') return;
        macros_[name] = Macro{trim(rest.substr(n))};
    } else if (word == "undef") {
        macros_.erase(trim(rest));
    } else if (word == "include") {
        if (rest.size() >= 2 && rest.front() == '<') return;  // system headers: the style names are built in
        if (rest.size() < 2 || rest.front() != '"' || rest.find('"', 1) == std::string::npos)
            throw CompileError(where, "#include needs a file name in quotes");
        const std::string name = rest.substr(1, rest.find('"', 1) - 1);
        const std::string found = resolve(name, where.file);
        if (found.empty()) throw CompileError(where, "cannot find include file '" + name + "'");
        process_file(found, where, depth + 1);
    } else if (word == "pragma") {
        if (trim(rest) == "once") once_files_.insert(where.file);
    } else if (word == "error") {
        throw CompileError(where, "#error " + rest);
    } else if (word == "line" || word.empty()) {
        // nothing to do
    } else {
        throw CompileError(where, "unknown directive '#" + word + "'");
    }
}

bool Preprocessor::evaluate_condition(const std::string& text, const Location& where) const {
    std::vector<Token> raw = tokenize(text, where);
    std::vector<Token> expanded;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i].kind == TokenKind::Name && raw[i].text == "defined") {
            bool paren = i + 1 < raw.size() && raw[i + 1].is_punct('(');
            std::size_t at = i + (paren ? 2 : 1);
            if (at >= raw.size() || raw[at].kind != TokenKind::Name)
                throw CompileError(where, "defined needs a name");
            Token value;
            value.kind = TokenKind::Number;
            value.number = macros_.count(raw[at].text) ? 1 : 0;
            value.text = std::to_string(value.number);
            value.where = where;
            expanded.push_back(value);
            i = at;
            if (paren) {
                if (i + 1 >= raw.size() || !raw[i + 1].is_punct(')'))
                    throw CompileError(where, "missing ')' after defined");
                ++i;
            }
            continue;
        }
        std::set<std::string> expanding;
        expand_into(raw[i], expanded, expanding, 0);
    }
    if (expanded.empty()) throw CompileError(where, "#if needs an expression");
    return ConditionEvaluator(expanded, where).evaluate() != 0;
}

void Preprocessor::expand_into(const Token& token, std::vector<Token>& out,
                               std::set<std::string>& active_names, int depth) const {
    if (token.kind == TokenKind::Name && !active_names.count(token.text)) {
        auto found = macros_.find(token.text);
        if (found != macros_.end()) {
            if (depth > MAX_EXPANSION_DEPTH) throw CompileError(token.where, "macro expansion too deep");
            active_names.insert(token.text);
            for (const Token& part : tokenize(found->second.body, token.where))
                expand_into(part, out, active_names, depth + 1);
            active_names.erase(token.text);
            return;
        }
    }
    out.push_back(token);
}

std::vector<Token> Preprocessor::tokenize(const std::string& text, const Location& where) const {
    std::vector<Token> out;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        Token token;
        token.where = where;
        const bool wide_string = (c == 'L' || c == 'l') && i + 1 < n && text[i + 1] == '"';
        if (c == '"' || wide_string) {
            if (wide_string) ++i;
            ++i;
            token.kind = TokenKind::String;
            bool closed = false;
            while (i < n) {
                char d = text[i];
                if (d == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        token.text.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                if (d == '\\' && i + 1 < n) {
                    char e = text[i + 1];
                    i += 2;
                    switch (e) {
                    case 'n': token.text.push_back('\n'); break;
                    case 'r': token.text.push_back('\r'); break;
                    case 't': token.text.push_back('\t'); break;
                    case 'a': token.text.push_back('\a'); break;
                    case 'b': token.text.push_back('\b'); break;
                    case 'f': token.text.push_back('\f'); break;
                    case 'v': token.text.push_back('\v'); break;
                    case '\\': token.text.push_back('\\'); break;
                    case '"': token.text.push_back('"'); break;
                    case '\'': token.text.push_back('\''); break;
                    case '?': token.text.push_back('?'); break;
                    case 'x': case 'X': {
                        int value = 0, digits = 0;
                        while (i < n && digits < 2 && hex_digit(text[i]) >= 0) {
                            value = value * 16 + hex_digit(text[i++]);
                            ++digits;
                        }
                        if (digits == 0) throw CompileError(where, "\\x needs hexadecimal digits");
                        token.text.push_back(static_cast<char>(value));
                        break;
                    }
                    default:
                        if (e >= '0' && e <= '7') {
                            int value = e - '0', digits = 1;
                            while (i < n && digits < 3 && text[i] >= '0' && text[i] <= '7') {
                                value = value * 8 + (text[i++] - '0');
                                ++digits;
                            }
                            token.text.push_back(static_cast<char>(value & 0xFF));
                        } else {
                            // An unknown escape keeps its backslash.
                            token.text.push_back('\\');
                            token.text.push_back(e);
                        }
                    }
                    continue;
                }
                token.text.push_back(d);
                ++i;
            }
            if (!closed) throw CompileError(where, "text without its closing quote");
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            std::size_t start = i;
            std::uint64_t value = 0;
            if (c == '0' && i + 1 < n && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
                i += 2;
                if (i >= n || hex_digit(text[i]) < 0) throw CompileError(where, "bad hexadecimal number");
                while (i < n && hex_digit(text[i]) >= 0) {
                    value = value * 16 + static_cast<std::uint64_t>(hex_digit(text[i++]));
                    if (value > 0xFFFFFFFFull) throw CompileError(where, "number too large");
                }
            } else {
                while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) {
                    value = value * 10 + static_cast<std::uint64_t>(text[i++] - '0');
                    if (value > 0xFFFFFFFFull) throw CompileError(where, "number too large");
                }
            }
            while (i < n && (text[i] == 'L' || text[i] == 'l' || text[i] == 'U' || text[i] == 'u')) ++i;
            if (i < n && is_name_char(text[i]))
                throw CompileError(where, "bad number '" + text.substr(start, i + 1 - start) + "'");
            token.kind = TokenKind::Number;
            token.number = static_cast<std::int64_t>(value);
            token.text = text.substr(start, i - start);
        } else if (is_name_start(c)) {
            std::size_t start = i;
            while (i < n && is_name_char(text[i])) ++i;
            token.kind = TokenKind::Name;
            token.text = text.substr(start, i - start);
        } else {
            static const char* const pairs[] = {"||", "&&", "==", "!=", "<=", ">="};
            token.kind = TokenKind::Punct;
            for (const char* pair : pairs) {
                if (i + 1 < n && text[i] == pair[0] && text[i + 1] == pair[1]) token.text = pair;
            }
            if (token.text.empty()) {
                static const std::string singles = ",|&()+-*/~{}!<>=";
                if (singles.find(c) == std::string::npos) {
                    static const char digits[] = "0123456789ABCDEF";
                    const unsigned char u = static_cast<unsigned char>(c);
                    std::string shown = std::isprint(u) ? std::string(1, c)
                                                        : std::string("\\x") + digits[u >> 4] + digits[u & 15];
                    throw CompileError(where, "unexpected character '" + shown + "'");
                }
                token.text = std::string(1, c);
            }
            i += token.text.size();
        }
        out.push_back(std::move(token));
    }
    return out;
}

}  // namespace rc
