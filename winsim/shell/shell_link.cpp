#include "shell/shell_link.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <new>
#include <vector>

#include "host/prefix.h"
#include "shell/ansi_text.h"
#include "shell/item_id_list.h"
#include "shell/volume.h"
#include "shell/windows_path.h"

namespace winsim::shell {

namespace {

constexpr std::size_t info_tip_size = 1024;  // the longest description the shell keeps

// Copies `text` into a caller's buffer of `cch` characters, cut to fit and terminated.
void copy_out(const std::string& text, LPSTR buffer, int cch) {
    if (!buffer || cch <= 0) return;
    std::size_t n = std::min(text.size(), static_cast<std::size_t>(cch - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

std::uint64_t ticks_of(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

HRESULT last_error_result() {
    DWORD error = GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

// The whole content of a link file. The kernel offers no reading of files, so the bytes are
// read from the file's place on the host.
std::optional<std::vector<std::uint8_t>> read_whole_file(const std::string& path, HRESULT& result) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        result = last_error_result();
        return std::nullopt;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        result = HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
        return std::nullopt;
    }
    std::ifstream in(host::prefix().host_path(path), std::ios::binary);
    if (!in) {
        result = HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

HRESULT write_whole_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_ARCHIVE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return last_error_result();
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    HRESULT result = ok && written == bytes.size() ? S_OK : last_error_result();
    if (!CloseHandle(file) && result == S_OK) result = last_error_result();
    return result;
}

}  // namespace

HRESULT ShellLink::create(REFIID riid, void** ppv) {
    auto* link = new (std::nothrow) ShellLink();
    if (!link) return E_OUTOFMEMORY;
    HRESULT result = link->QueryInterface(riid, ppv);
    link->Release();
    return result;
}

HRESULT ShellLink::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IShellLinkA)) {
        *ppvObject = static_cast<IShellLinkA*>(this);
    } else if (IsEqualIID(riid, IID_IPersistFile) || IsEqualIID(riid, IID_IPersist)) {
        *ppvObject = static_cast<IPersistFile*>(this);
    } else {
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG ShellLink::AddRef() {
    return ++references_;
}

ULONG ShellLink::Release() {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

void ShellLink::capture_target() {
    target_data_ = {};
    target_found_ = false;
    if (target_.empty() || is_drive_root(target_)) return;
    HANDLE find = FindFirstFileA(without_trailing_backslash(target_).c_str(), &target_data_);
    if (find == INVALID_HANDLE_VALUE) {
        target_data_ = {};
        return;
    }
    FindClose(find);
    target_found_ = true;
}

HRESULT ShellLink::set_text(std::optional<std::string>& field, LPCSTR text, std::size_t limit) {
    if (!text) return E_INVALIDARG;
    std::string value(text);
    if (value.size() >= limit) return E_INVALIDARG;
    field = value.empty() ? std::nullopt : std::optional<std::string>(value);
    dirty_ = true;
    return S_OK;
}

HRESULT ShellLink::GetPath(LPSTR pszFile, int cch, WIN32_FIND_DATAA* pfd, DWORD) {
    if (!pszFile || cch <= 0) return E_INVALIDARG;
    copy_out(target_, pszFile, cch);
    if (pfd) {
        *pfd = target_data_;
        if (!target_.empty() && !target_found_) {
            std::string name = last_component(target_);
            copy_out(name, pfd->cFileName, MAX_PATH);
        }
    }
    return target_.empty() ? S_FALSE : S_OK;
}

HRESULT ShellLink::GetIDList(LPITEMIDLIST* ppidl) {
    if (!ppidl) return E_POINTER;
    *ppidl = nullptr;
    if (target_.empty()) return S_FALSE;
    *ppidl = make_path_list(target_);
    return *ppidl ? S_OK : E_FAIL;
}

HRESULT ShellLink::SetIDList(LPCITEMIDLIST pidl) {
    std::optional<ShellLocation> location = read_list(pidl);
    // Only file system targets can be written into a link file here.
    if (!location || location->kind != ShellLocation::Kind::Path) return E_INVALIDARG;
    return SetPath(location->path.c_str());
}

HRESULT ShellLink::GetDescription(LPSTR pszName, int cch) {
    if (!pszName) return E_INVALIDARG;
    copy_out(description_.value_or(""), pszName, cch);
    return S_OK;
}

HRESULT ShellLink::SetDescription(LPCSTR pszName) {
    return set_text(description_, pszName, info_tip_size);
}

HRESULT ShellLink::GetWorkingDirectory(LPSTR pszDir, int cch) {
    if (!pszDir) return E_INVALIDARG;
    copy_out(working_directory_.value_or(""), pszDir, cch);
    return S_OK;
}

HRESULT ShellLink::SetWorkingDirectory(LPCSTR pszDir) {
    return set_text(working_directory_, pszDir, MAX_PATH);
}

HRESULT ShellLink::GetArguments(LPSTR pszArgs, int cch) {
    if (!pszArgs) return E_INVALIDARG;
    copy_out(arguments_.value_or(""), pszArgs, cch);
    return S_OK;
}

HRESULT ShellLink::SetArguments(LPCSTR pszArgs) {
    return set_text(arguments_, pszArgs, info_tip_size);
}

HRESULT ShellLink::GetHotkey(WORD* pwHotkey) {
    if (!pwHotkey) return E_INVALIDARG;
    *pwHotkey = hotkey_;
    return S_OK;
}

HRESULT ShellLink::SetHotkey(WORD wHotkey) {
    hotkey_ = wHotkey;
    dirty_ = true;
    return S_OK;
}

HRESULT ShellLink::GetShowCmd(int* piShowCmd) {
    if (!piShowCmd) return E_INVALIDARG;
    *piShowCmd = show_command_;
    return S_OK;
}

HRESULT ShellLink::SetShowCmd(int iShowCmd) {
    show_command_ = iShowCmd;
    dirty_ = true;
    return S_OK;
}

HRESULT ShellLink::GetIconLocation(LPSTR pszIconPath, int cch, int* piIcon) {
    if (!pszIconPath || !piIcon) return E_INVALIDARG;
    copy_out(icon_location_.value_or(""), pszIconPath, cch);
    *piIcon = icon_index_;
    return S_OK;
}

HRESULT ShellLink::SetIconLocation(LPCSTR pszIconPath, int iIcon) {
    HRESULT result = set_text(icon_location_, pszIconPath, MAX_PATH);
    if (SUCCEEDED(result)) icon_index_ = iIcon;
    return result;
}

HRESULT ShellLink::SetRelativePath(LPCSTR pszPathRel, DWORD) {
    return set_text(relative_to_, pszPathRel, MAX_PATH);
}

HRESULT ShellLink::Resolve(HWND, DWORD fFlags) {
    if (target_.empty()) return E_FAIL;
    WIN32_FIND_DATAA before = target_data_;
    capture_target();
    if (!target_found_ && !is_drive_root(target_)) {
        target_data_ = before;
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    }
    if (fFlags & SLR_UPDATE) dirty_ = true;
    return S_OK;
}

HRESULT ShellLink::SetPath(LPCSTR pszFile) {
    if (!pszFile) return E_INVALIDARG;
    std::string path(pszFile);
    if (path.size() >= MAX_PATH) return E_INVALIDARG;
    target_ = path;
    relative_path_.reset();
    capture_target();
    dirty_ = true;
    return S_OK;
}

HRESULT ShellLink::GetClassID(CLSID* pClassID) {
    if (!pClassID) return E_POINTER;
    *pClassID = CLSID_ShellLink;
    return S_OK;
}

HRESULT ShellLink::IsDirty() {
    return dirty_ ? S_OK : S_FALSE;
}

LinkRecord ShellLink::record_for(const std::string& link_file) const {
    LinkRecord record;
    record.file_attributes = target_data_.dwFileAttributes;
    record.creation_time = ticks_of(target_data_.ftCreationTime);
    record.access_time = ticks_of(target_data_.ftLastAccessTime);
    record.write_time = ticks_of(target_data_.ftLastWriteTime);
    record.file_size = target_data_.nFileSizeLow;
    record.icon_index = icon_index_;
    record.show_command = static_cast<std::uint32_t>(show_command_);
    record.hotkey = hotkey_;
    if (std::optional<char> letter = drive_letter(target_); letter && target_.size() > 2 && target_[2] == '\\') {
        record.volume = volume_of(*letter);
        if (record.volume) record.local_base_path = target_;
    }
    record.description = description_;
    const std::string& from = relative_to_ ? *relative_to_ : link_file;
    if (!target_.empty()) {
        std::optional<std::string> relative = relative_path(parent_folder(from), target_);
        record.relative_path = relative ? relative : relative_path_;
    }
    record.working_directory = working_directory_;
    record.arguments = arguments_;
    record.icon_location = icon_location_;
    return record;
}

HRESULT ShellLink::Load(LPCOLESTR pszFileName, DWORD) {
    if (!pszFileName) return E_INVALIDARG;
    std::string path = narrow(pszFileName);
    HRESULT result = S_OK;
    std::optional<std::vector<std::uint8_t>> bytes = read_whole_file(path, result);
    if (!bytes) return result;
    std::optional<LinkRecord> record = decode_link(*bytes);
    if (!record) return E_FAIL;

    target_ = record->volume ? record->local_base_path : std::string();
    target_data_ = {};
    target_found_ = false;
    target_data_.dwFileAttributes = record->file_attributes;
    auto time_of = [](std::uint64_t ticks) {
        return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    };
    target_data_.ftCreationTime = time_of(record->creation_time);
    target_data_.ftLastAccessTime = time_of(record->access_time);
    target_data_.ftLastWriteTime = time_of(record->write_time);
    target_data_.nFileSizeLow = record->file_size;
    if (!target_.empty()) copy_out(last_component(target_), target_data_.cFileName, MAX_PATH);
    description_ = record->description;
    working_directory_ = record->working_directory;
    arguments_ = record->arguments;
    icon_location_ = record->icon_location;
    relative_path_ = record->relative_path;
    relative_to_.reset();
    icon_index_ = record->icon_index;
    show_command_ = static_cast<int>(record->show_command);
    hotkey_ = record->hotkey;
    current_file_ = path;
    dirty_ = false;
    return S_OK;
}

HRESULT ShellLink::Save(LPCOLESTR pszFileName, BOOL fRemember) {
    std::string path;
    if (pszFileName) {
        path = narrow(pszFileName);
    } else {
        // No name: save to the remembered file.
        if (current_file_.empty()) return E_INVALIDARG;
        path = current_file_;
        fRemember = TRUE;
    }
    HRESULT result = write_whole_file(path, encode_link(record_for(path)));
    if (SUCCEEDED(result) && fRemember) {
        current_file_ = path;
        dirty_ = false;
    }
    return result;
}

HRESULT ShellLink::SaveCompleted(LPCOLESTR) {
    return S_OK;
}

HRESULT ShellLink::GetCurFile(LPOLESTR* ppszFileName) {
    if (!ppszFileName) return E_POINTER;
    // Without a current file the answer is the default save prompt.
    const std::u16string name = widen(current_file_.empty() ? "*.lnk" : current_file_);
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((name.size() + 1) * sizeof(OLECHAR)));
    if (!copy) {
        *ppszFileName = nullptr;
        return E_OUTOFMEMORY;
    }
    std::memcpy(copy, name.c_str(), (name.size() + 1) * sizeof(OLECHAR));
    *ppszFileName = copy;
    return current_file_.empty() ? S_FALSE : S_OK;
}

}  // namespace winsim::shell
