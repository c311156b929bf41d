// From product.ini to the build's generated files: the manifest's source, one payload
// stream per entry, the script fragment that makes them resources, and the product
// texts header.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pack {

using FileReader = std::function<std::optional<std::string>(const std::string& path)>;

std::optional<std::string> read_host_file(const std::string& path);

struct PackOutput {
    std::map<std::string, std::string> files;  // name in the output folder -> bytes
    std::vector<std::string> inputs;           // the description and every source read
};

// Names of the fixed outputs.
inline const char* const MANIFEST_SOURCE = "manifest.cpp";
inline const char* const PAYLOADS_SCRIPT = "payloads.rc";
inline const char* const PRODUCT_TEXTS_HEADER = "product_texts.h";

// Throws PackError for a malformed description, an unreadable source or a broken constraint.
PackOutput pack_product(const std::string& ini_path, const FileReader& reader = read_host_file);

}  // namespace pack
