// Reads a resource script and produces its resources in binary form.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "compile_error.h"
#include "file_reader.h"

namespace rc {

// Resource types by their numbers.
const std::uint16_t TYPE_BITMAP = 2;
const std::uint16_t TYPE_ICON = 3;
const std::uint16_t TYPE_DIALOG = 5;
const std::uint16_t TYPE_RCDATA = 10;
const std::uint16_t TYPE_GROUP_ICON = 14;

// A type or name: a number, or a text stored in upper case.
struct ResourceId {
    std::uint16_t number = 0;
    std::string text;

    bool is_text() const { return !text.empty(); }
    bool operator<(const ResourceId& o) const {
        return is_text() != o.is_text() ? !is_text() : (is_text() ? text < o.text : number < o.number);
    }
    bool operator==(const ResourceId& o) const { return number == o.number && text == o.text; }
};

struct CompiledResource {
    ResourceId type;
    ResourceId name;
    std::vector<std::uint8_t> data;
    Location where;
};

struct CompileOptions {
    std::vector<std::string> include_dirs;
    std::map<std::string, std::string> defines;
};

struct CompiledScript {
    std::vector<CompiledResource> resources;
    std::vector<std::string> dependencies;  // every file read: scripts, headers, data files
};

// Throws CompileError naming the file and line of the first fault.
CompiledScript compile_script(const std::string& path, const CompileOptions& options,
                              const FileReader& reader = read_host_file);

}  // namespace rc
