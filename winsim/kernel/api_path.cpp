#include "kernel/api_path.h"

#include <unistd.h>

#include <system_error>

#include "kernel/code_page.h"
#include "win/kernel.h"

namespace winsim::kernel {

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string current_folder() {
    std::error_code ec;
    std::filesystem::path here = std::filesystem::current_path(ec);
    if (!ec) {
        for (const host::DriveInfo& d : host::prefix().drives()) {
            std::filesystem::path inside = here.lexically_relative(d.root);
            if (inside.empty() || *inside.begin() == "..") continue;
            std::string folder = std::string(1, d.letter) + ":";
            for (const std::filesystem::path& part : inside) {
                if (part == ".") continue;
                folder += '\\';
                folder += utf8_to_ansi_lossy(part.string());
            }
            return folder.size() == 2 ? folder + "\\" : folder;
        }
    }
    return "C:\\";
}

std::string absolute_path(std::string_view path) {
    if (path.empty()) return {};
    if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1])) return {};
    if (path.size() >= 2 && is_letter(path[0]) && path[1] == ':') {
        if (path.size() >= 3 && is_separator(path[2])) return std::string(path);
        // "X:name": relative to the current folder when it is on that drive.
        std::string here = current_folder();
        std::string base = ansi_upper(static_cast<unsigned char>(here[0])) ==
                                   ansi_upper(static_cast<unsigned char>(path[0]))
                               ? here
                               : std::string(1, path[0]) + ":\\";
        if (!is_separator(base.back())) base += '\\';
        return base + std::string(path.substr(2));
    }
    std::string here = current_folder();
    if (is_separator(path[0])) return here.substr(0, 2) + std::string(path);
    if (!is_separator(here.back())) here += '\\';
    return here + std::string(path);
}

std::optional<host::HostPath> resolve_api_path(const char* path) {
    if (!path) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return std::nullopt;
    }
    std::string absolute = absolute_path(path);
    host::PathProblem problem = host::PathProblem::None;
    std::optional<host::HostPath> resolved = host::prefix().resolve(absolute, &problem);
    if (!resolved) {
        SetLastError(problem == host::PathProblem::InvalidName ? ERROR_INVALID_NAME : ERROR_PATH_NOT_FOUND);
        return std::nullopt;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(resolved->drive->root, ec)) {
        bool has_media = resolved->drive->type != host::DriveType::Removable &&
                         resolved->drive->type != host::DriveType::Cdrom;
        SetLastError(has_media ? ERROR_PATH_NOT_FOUND : ERROR_NOT_READY);
        return std::nullopt;
    }
    return resolved;
}

DWORD missing_error(const host::HostPath& path) {
    return path.parent_exists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

}  // namespace winsim::kernel
