// Writes the C++ source that holds the resources and registers them as the program's
// module resources before main runs.
#pragma once

#include <string>
#include <vector>

#include "script_compiler.h"

namespace rc {

std::string write_table_source(const std::vector<CompiledResource>& resources, const std::string& script_path);

// A make-style dependency file: `target: dep dep ...`.
std::string write_depfile(const std::string& target, const std::vector<std::string>& dependencies);

}  // namespace rc
