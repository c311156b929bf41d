// Turns a script and the files it includes into one stream of tokens: comments gone,
// object-like #define names replaced, #include followed, conditional blocks decided.
// Header files (.h and the like) contribute only their directives, as resource.h does.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "file_reader.h"
#include "token.h"

namespace rc {

class Preprocessor {
public:
    Preprocessor(FileReader reader, std::vector<std::string> include_dirs);

    // Defines NAME as the tokens of `value`, as -D does on the command line.
    void define(const std::string& name, const std::string& value);

    // The tokens of the script at `path`, ended by one End token.
    std::vector<Token> run(const std::string& path);

    // Finds `name` beside the file `beside`, then in the include folders; empty if absent.
    std::string resolve(const std::string& name, const std::string& beside) const;

    // Every file read so far, the script first.
    const std::vector<std::string>& files_read() const { return files_read_; }

    const FileReader& reader() const { return reader_; }

private:
    // The body stays text until it is used, so that a header may define things no
    // resource statement could read without stopping the build.
    struct Macro {
        std::string body;
    };
    struct Condition {
        bool outer_active;  // the enclosing block is being taken
        bool taking;        // this branch is being taken
        bool taken_before;  // some branch of this #if was taken already
        bool seen_else;
        int line;  // where the #if stands, for the report of a missing #endif
    };

    void process_file(const std::string& path, const Location& from, int depth);
    void process_line(const std::string& line, const Location& where, bool header, int depth,
                      std::vector<Condition>& conditions);
    void directive(const std::string& text, const Location& where, int depth,
                   std::vector<Condition>& conditions);
    std::vector<Token> tokenize(const std::string& text, const Location& where) const;
    void expand_into(const Token& token, std::vector<Token>& out, std::set<std::string>& active,
                     int depth) const;
    bool evaluate_condition(const std::string& text, const Location& where) const;
    bool active(const std::vector<Condition>& conditions) const;

    FileReader reader_;
    std::vector<std::string> include_dirs_;
    std::map<std::string, Macro> macros_;
    std::set<std::string> once_files_;
    std::vector<std::string> files_read_;
    std::vector<Token> tokens_;
};

// Joins a folder and a name the host's way; the name stays as it is when absolute.
std::string join_host_path(const std::string& folder, const std::string& name);

// The folder part of a host path ("." when there is none).
std::string host_folder_of(const std::string& path);

}  // namespace rc
