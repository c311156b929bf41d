// The installation of the manifest's files: written or skipped, stamped, and counted on the page.
#include "core/file_install.h"

#include <string.h>

#include "core/install_state.h"
#include "core/manifest.h"
#include "core/path_helpers.h"
#include "core/payload_decoder.h"

static const char INSTALL_TITLE[] = "Tarrowin";
static const char CREATE_FAILED_TEXT[] =
    "Unable to create destination file!\r\nInstallation will now be aborted.";
static const char WRITE_FAILED_TEXT[] =
    "Unable to write destination file!\r\nInstallation will now be aborted.";
static const char PAYLOAD_UNREADABLE_TEXT[] =
    "Unable to read installation data!\r\nInstallation will now be aborted.";
static const char PATH_TOO_LONG_TEXT[] =
    "Destination path is too long!\r\nInstallation will now be aborted.";

// Bytes the decoder reported as stored for the file being written.
static DWORD StoredBytesOfFile;

BOOL ShouldWriteFile(LPCSTR destination, int index)
{
    if ((Manifest.Entries[index].Flags & ENTRY_ALWAYS_WRITE) != 0) {
        return TRUE;
    }
    HANDLE file = CreateFileA(destination, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        return TRUE;
    }
    CloseHandle(file);
    return FALSE;
}

void AdvanceProgress(HWND page, DWORD bytes)
{
    ULONGLONG done = (ULONGLONG)InstallState.DoneBytes + bytes;
    if (done > InstallState.TotalBytes) {
        done = InstallState.TotalBytes;
    }
    InstallState.DoneBytes = (DWORD)done;
    if (InstallState.DoneBytes == 0) {
        return;
    }
    WORD halfPercent = (WORD)((ULONGLONG)InstallState.DoneBytes * 200 / InstallState.TotalBytes);
    if (halfPercent != InstallState.HalfPercent) {
        InstallState.HalfPercent = halfPercent;
        HWND percentBar = GetDlgItem(page, IDC_PERCENT_BAR);
        InvalidateRect(percentBar, NULL, FALSE);
        UpdateWindow(percentBar);
        PumpMessagesFor(page, 10);
    }
    FormatThousands(page, IDC_CURRENT_SIZE, InstallState.DoneBytes);
}

// The decoder's progress report: counts what reached the file, then the shared progress.
static void ReportStoredBytes(HWND page, DWORD storedBytes)
{
    StoredBytesOfFile += storedBytes;
    AdvanceProgress(page, storedBytes);
}

static int AbortInstallation(HWND page, LPCSTR text)
{
    MessageBoxA(page, text, INSTALL_TITLE, MB_OK | MB_ICONERROR);
    return -1;
}

// True for a bare drive X: or X:\, whose clean-out would empty the whole drive.
static BOOL IsDriveRoot(LPCSTR path)
{
    return path[0] != '\0' && path[1] == ':' &&
           (path[2] == '\0' || (path[2] == '\\' && path[3] == '\0'));
}

// Empties an earlier installation out of the program folder, or creates the folder. A
// folder that is itself a link is not emptied (its files lie outside its own tree), and
// neither is a drive root.
static void PrepareProgramFolder(void)
{
    if (!PathExists(InstallState.ProgramDir)) {
        MakeDirectoryChain(InstallState.ProgramDir);
    } else if ((GetFileAttributesA(InstallState.ProgramDir) & FILE_ATTRIBUTE_REPARSE_POINT) == 0 &&
               !IsDriveRoot(InstallState.ProgramDir)) {
        CleanOutFolder(InstallState.ProgramDir);
    }
}

// The manifest's local time as a UTC file time, with the bias in force now.
static void MakeFileStamp(FILETIME* stamp)
{
    FILETIME localTime;
    SystemTimeToFileTime(&Manifest.FileTimestamp, &localTime);
    LocalFileTimeToFileTime(&localTime, stamp);
}

static DWORD SumOfSizes(int fileCount)
{
    ULONGLONG total = 0;
    for (int i = 0; i < fileCount; i++) {
        total += Manifest.Entries[i].UncompressedSize;
    }
    return total > 0xFFFFFFFFull ? 0xFFFFFFFFu : (DWORD)total;
}

// Decodes entry i into the destination and stamps it; 1, or -1 after the error box. A file
// that did not receive every byte, or whose stream ran out early, is removed again, so that
// no later run skips it.
static int WriteEntry(HWND page, int index, LPCSTR destination, const FILETIME* stamp)
{
    const ManifestEntry* entry = &Manifest.Entries[index];
    HRSRC resource = FindResourceA(NULL, entry->ResourceName, RT_RCDATA);
    HGLOBAL loaded = resource != NULL ? LoadResource(NULL, resource) : NULL;
    const BYTE* stream = loaded != NULL ? (const BYTE*)LockResource(loaded) : NULL;
    if (stream == NULL || SizeofResource(NULL, resource) < entry->CompressedSize) {
        return AbortInstallation(page, PAYLOAD_UNREADABLE_TEXT);
    }
    HANDLE file = CreateFileA(destination, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        return AbortInstallation(page, CREATE_FAILED_TEXT);
    }
    StoredBytesOfFile = 0;
    DecodePayload(page, stream, entry->CompressedSize, entry->UncompressedSize, file,
                  ReportStoredBytes);
    PayloadCheck check;
    GetPayloadCheck(&check);
    LPCSTR failure = NULL;
    if (StoredBytesOfFile != entry->UncompressedSize) {
        failure = WRITE_FAILED_TEXT;
    } else if (check.InputMissing != 0) {
        failure = PAYLOAD_UNREADABLE_TEXT;
    }
    if (failure != NULL) {
        CloseHandle(file);
        DeleteFileA(destination);
        return AbortInstallation(page, failure);
    }
    SetFileTime(file, stamp, stamp, stamp);
    CloseHandle(file);
    return 1;
}

int InstallFiles(HWND page)
{
    PrepareProgramFolder();
    FILETIME stamp;
    MakeFileStamp(&stamp);

    int fileCount = Manifest.FileCount > 0 ? Manifest.FileCount : 0;
    InstallState.TotalBytes = SumOfSizes(fileCount);
    FormatThousands(page, IDC_TOTAL_SIZE, InstallState.TotalBytes);
    FormatThousands(page, IDC_TOTAL_FILES, (DWORD)fileCount);

    for (int i = 0; i < fileCount; i++) {
        const ManifestEntry* entry = &Manifest.Entries[i];
        LPCSTR folder = (entry->Flags & ENTRY_TO_WINDOWS_DIR) != 0 ? InstallState.WindowsDir
                                                                   : InstallState.ProgramDir;
        if (!JoinedPathFits(folder, entry->FileName)) {
            return AbortInstallation(page, PATH_TOO_LONG_TEXT);
        }
        char destination[INSTALL_PATH_SIZE];
        JoinPath(destination, folder, entry->FileName, 0);
        SetDlgItemTextA(page, IDC_DESTINATION, destination);
        FormatThousands(page, IDC_CURRENT_FILE, (DWORD)(i + 1));
        PumpMessagesFor(page, 500);

        if (ShouldWriteFile(destination, i)) {
            if (WriteEntry(page, i, destination, &stamp) != 1) {
                return -1;
            }
        } else {
            AdvanceProgress(page, entry->UncompressedSize);
        }
    }
    return 1;
}
