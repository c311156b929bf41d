// rc: compiles a resource script into a C++ source that links the resources into a
// program.   rc [-I dir]... [-D NAME[=VALUE]]... -o OUT.cpp [-d OUT.d] SCRIPT.rc
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "script_compiler.h"
#include "table_writer.h"

namespace {

int usage() {
    std::cerr << "usage: rc [-I dir]... [-D NAME[=VALUE]]... -o OUT.cpp [-d DEPFILE] SCRIPT.rc\n";
    return 2;
}

// Writes through a temporary file, so that a failed run leaves no half-written output.
bool write_file(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << text;
        if (!out.flush()) return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    rc::CompileOptions options;
    std::string output, depfile, script;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::size_t prefix) -> std::string {
            if (arg.size() > prefix) return arg.substr(prefix);
            return i + 1 < argc ? argv[++i] : "";
        };
        if (arg.rfind("-I", 0) == 0) {
            options.include_dirs.push_back(value(2));
        } else if (arg.rfind("-D", 0) == 0) {
            std::string def = value(2);
            auto eq = def.find('=');
            options.defines[def.substr(0, eq)] = eq == std::string::npos ? "1" : def.substr(eq + 1);
        } else if (arg == "-o") {
            output = value(2);
        } else if (arg == "-d") {
            depfile = value(2);
        } else if (!arg.empty() && arg[0] == '-') {
            return usage();
        } else if (script.empty()) {
            script = arg;
        } else {
            return usage();
        }
    }
    if (script.empty() || output.empty()) return usage();

    try {
        rc::CompiledScript compiled = rc::compile_script(script, options);
        if (!write_file(output, rc::write_table_source(compiled.resources, script))) {
            std::cerr << "rc: cannot write " << output << "\n";
            return 1;
        }
        if (!depfile.empty() && !write_file(depfile, rc::write_depfile(output, compiled.dependencies))) {
            std::cerr << "rc: cannot write " << depfile << "\n";
            return 1;
        }
    } catch (const rc::CompileError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
