// The shell link object (CLSID_ShellLink): a shortcut being described through IShellLinkA
// and written to or read from a link file through IPersistFile.
#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "shell/link_file.h"
#include "win/shell.h"

namespace winsim::shell {

class ShellLink final : public IShellLinkA, public IPersistFile {
public:
    // The class table's factory: a new object asked for `riid`.
    static HRESULT create(REFIID riid, void** ppv);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IShellLinkA
    HRESULT STDMETHODCALLTYPE GetPath(LPSTR pszFile, int cch, WIN32_FIND_DATAA* pfd, DWORD fFlags) override;
    HRESULT STDMETHODCALLTYPE GetIDList(LPITEMIDLIST* ppidl) override;
    HRESULT STDMETHODCALLTYPE SetIDList(LPCITEMIDLIST pidl) override;
    HRESULT STDMETHODCALLTYPE GetDescription(LPSTR pszName, int cch) override;
    HRESULT STDMETHODCALLTYPE SetDescription(LPCSTR pszName) override;
    HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPSTR pszDir, int cch) override;
    HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCSTR pszDir) override;
    HRESULT STDMETHODCALLTYPE GetArguments(LPSTR pszArgs, int cch) override;
    HRESULT STDMETHODCALLTYPE SetArguments(LPCSTR pszArgs) override;
    HRESULT STDMETHODCALLTYPE GetHotkey(WORD* pwHotkey) override;
    HRESULT STDMETHODCALLTYPE SetHotkey(WORD wHotkey) override;
    HRESULT STDMETHODCALLTYPE GetShowCmd(int* piShowCmd) override;
    HRESULT STDMETHODCALLTYPE SetShowCmd(int iShowCmd) override;
    HRESULT STDMETHODCALLTYPE GetIconLocation(LPSTR pszIconPath, int cch, int* piIcon) override;
    HRESULT STDMETHODCALLTYPE SetIconLocation(LPCSTR pszIconPath, int iIcon) override;
    HRESULT STDMETHODCALLTYPE SetRelativePath(LPCSTR pszPathRel, DWORD dwReserved) override;
    HRESULT STDMETHODCALLTYPE Resolve(HWND hwnd, DWORD fFlags) override;
    HRESULT STDMETHODCALLTYPE SetPath(LPCSTR pszFile) override;

    // IPersist, IPersistFile
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* pClassID) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(LPCOLESTR pszFileName, DWORD dwMode) override;
    HRESULT STDMETHODCALLTYPE Save(LPCOLESTR pszFileName, BOOL fRemember) override;
    HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR pszFileName) override;
    HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR* ppszFileName) override;

private:
    ShellLink() = default;
    ~ShellLink() = default;

    // Reads the target's attributes, times and size, when it exists.
    void capture_target();
    // The record the link file gets when saved as `link_file`.
    LinkRecord record_for(const std::string& link_file) const;
    HRESULT set_text(std::optional<std::string>& field, LPCSTR text, std::size_t limit);

    std::atomic<ULONG> references_{1};
    bool dirty_ = false;

    std::string target_;       // empty: no target yet
    WIN32_FIND_DATAA target_data_{};
    bool target_found_ = false;
    std::optional<std::string> description_;
    std::optional<std::string> working_directory_;
    std::optional<std::string> arguments_;
    std::optional<std::string> icon_location_;
    std::optional<std::string> relative_to_;  // SetRelativePath: the file the relative path starts from
    std::optional<std::string> relative_path_;  // read from a loaded file
    int icon_index_ = 0;
    int show_command_ = 1;  // SW_SHOWNORMAL
    WORD hotkey_ = 0;
    std::string current_file_;  // the file remembered by Save or Load
};

}  // namespace winsim::shell
