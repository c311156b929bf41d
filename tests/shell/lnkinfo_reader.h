// Runs the independent link file reader (lnkinfo) and keeps its "name : value" lines.
#pragma once

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

struct LnkInfo {
    bool ok = false;
    std::string output;
    std::map<std::string, std::string> fields;

    bool has(const std::string& name) const { return fields.count(name) > 0; }
    std::string field(const std::string& name) const {
        auto it = fields.find(name);
        return it == fields.end() ? std::string("<missing>") : it->second;
    }
};

inline LnkInfo run_lnkinfo(const std::filesystem::path& file) {
    LnkInfo info;
    std::string command = "lnkinfo '" + file.string() + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return info;
    char buffer[4096];
    while (fgets(buffer, sizeof buffer, pipe)) info.output += buffer;
    info.ok = pclose(pipe) == 0;
    std::size_t start = 0;
    while (start < info.output.size()) {
        std::size_t end = info.output.find('\n', start);
        if (end == std::string::npos) end = info.output.size();
        std::string line = info.output.substr(start, end - start);
        start = end + 1;
        std::size_t colon = line.find(": ");
        if (colon == std::string::npos) {
            // "Volume label   :" with an empty value
            if (!line.empty() && line.back() == ':') colon = line.size() - 1;
            else continue;
        }
        std::size_t name_start = line.find_first_not_of("\t ");
        std::size_t name_end = line.find_last_not_of("\t :", colon);
        if (name_start == std::string::npos || name_end == std::string::npos || name_end < name_start) continue;
        std::string value = colon + 2 <= line.size() ? line.substr(colon + 2) : std::string();
        info.fields[line.substr(name_start, name_end - name_start + 1)] = value;
    }
    return info;
}
