// FindFirstFileA and FindNextFileA: a folder's entries matching a pattern, read at once
// and handed out in the name order NTFS keeps.
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "kernel/api_path.h"
#include "kernel/code_page.h"
#include "kernel/dos_attributes.h"
#include "kernel/file_time.h"
#include "kernel/handle_table.h"
#include "win/kernel.h"

namespace winsim::kernel {

namespace {

class FindObject : public KernelObject {
public:
    explicit FindObject(std::vector<WIN32_FIND_DATAA> entries) : entries_(std::move(entries)) {}
    bool closed_by_close_handle() const override { return false; }

    bool next(WIN32_FIND_DATAA& out) {
        if (position_ >= entries_.size()) return false;
        out = entries_[position_++];
        return true;
    }

private:
    std::vector<WIN32_FIND_DATAA> entries_;
    std::size_t position_ = 0;
};

// `*` and `?` without regard to case; "*.*" is every name, with or without a full stop.
bool wildcard_match(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*") return true;
    std::size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || ansi_upper(static_cast<unsigned char>(pattern[p])) ==
                                             ansi_upper(static_cast<unsigned char>(name[n])))) {
            ++p;
            ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

WIN32_FIND_DATAA describe(const std::filesystem::path& host, std::string_view name) {
    WIN32_FIND_DATAA data;
    std::memset(&data, 0, sizeof data);
    data.dwFileAttributes = read_attributes(host).value_or(FILE_ATTRIBUTE_NORMAL);
    struct stat st;
    if (::lstat(host.c_str(), &st) == 0) {
        data.ftLastAccessTime = to_file_time(st.st_atim);
        data.ftLastWriteTime = to_file_time(st.st_mtim);
        data.ftCreationTime = read_creation_time(host);
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            std::uint64_t size = std::uint64_t(st.st_size);
            data.nFileSizeHigh = DWORD(size >> 32);
            data.nFileSizeLow = DWORD(size);
        }
    }
    std::size_t length = std::min(name.size(), std::size_t(MAX_PATH - 1));
    std::memcpy(data.cFileName, name.data(), length);
    return data;
}

bool valid_pattern(std::string_view pattern) {
    for (char c : pattern) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|') return false;
    }
    return true;
}

}  // namespace

}  // namespace winsim::kernel

using namespace winsim::kernel;

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    if (!lpFileName || !lpFindFileData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string absolute = absolute_path(lpFileName);
    std::size_t cut = absolute.find_last_of("\\/");
    if (absolute.empty() || cut == std::string::npos) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::string folder_text = absolute.substr(0, cut + 1);
    std::string pattern = absolute.substr(cut + 1);
    std::optional<winsim::host::HostPath> folder = resolve_api_path(folder_text.c_str());
    if (!folder) return INVALID_HANDLE_VALUE;
    std::error_code ec;
    if (!folder->exists || !std::filesystem::is_directory(folder->host, ec)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (!valid_pattern(pattern)) {
        SetLastError(ERROR_INVALID_NAME);
        return INVALID_HANDLE_VALUE;
    }

    std::vector<WIN32_FIND_DATAA> entries;
    std::filesystem::directory_iterator it(folder->host, ec);
    if (ec) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    for (std::filesystem::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        std::string name = utf8_to_ansi_lossy(it->path().filename().string());
        if (!pattern.empty() && wildcard_match(pattern, name)) entries.push_back(describe(it->path(), name));
    }
    std::sort(entries.begin(), entries.end(), [](const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
        return ansi_icompare(a.cFileName, b.cFileName) < 0;
    });
    // A drive root has no "." and ".."; every other folder lists both first.
    if (!folder->is_root) {
        for (const char* dots : {"..", "."}) {
            if (!wildcard_match(pattern, dots)) continue;
            std::filesystem::path host = std::string(dots) == "." ? folder->host : folder->host.parent_path();
            entries.insert(entries.begin(), describe(host, dots));
        }
    }
    if (entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto search = std::make_shared<FindObject>(std::move(entries));
    search->next(*lpFindFileData);
    SetLastError(ERROR_SUCCESS);
    return HandleTable::instance().add(std::move(search));
}

BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
    std::shared_ptr<FindObject> search = HandleTable::instance().find_as<FindObject>(hFindFile);
    if (!search || !lpFindFileData) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!search->next(*lpFindFileData)) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI FindClose(HANDLE hFindFile) {
    if (!HandleTable::instance().find_as<FindObject>(hFindFile)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    HandleTable::instance().remove(hFindFile);
    return TRUE;
}
