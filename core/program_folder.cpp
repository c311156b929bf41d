// The program folder before the files arrive: the chain of folders created, or an earlier
// installation emptied out of it.
#include <string.h>

#include "core/file_install.h"
#include "core/path_helpers.h"

// Extensions of files the clean-out leaves alone, compared without regard to case.
static LPCSTR const KeepExtensions[] = {".KEY", ".DAT", ".CIA", ".CPI"};
const int KEEP_EXTENSION_COUNT = sizeof(KeepExtensions) / sizeof(KeepExtensions[0]);

// MakeDirectoryChain's work buffer, as large as the folder fields of InstallState.
const int CHAIN_PATH_SIZE = 256;

BOOL JoinedPathFits(LPCSTR folder, LPCSTR name)
{
    size_t folderLength = strlen(folder);
    size_t separator = (folderLength == 0 || folder[folderLength - 1] != '\\') ? 1 : 0;
    return folderLength + separator + strlen(name) < (size_t)INSTALL_PATH_SIZE;
}

static BOOL SameLettersIgnoringCase(LPCSTR a, LPCSTR b)
{
    for (;; a++, b++) {
        char x = *a;
        char y = *b;
        if (x >= 'a' && x <= 'z') {
            x = (char)(x - 'a' + 'A');
        }
        if (y >= 'a' && y <= 'z') {
            y = (char)(y - 'a' + 'A');
        }
        if (x != y) {
            return FALSE;
        }
        if (x == '\0') {
            return TRUE;
        }
    }
}

BOOL PathExists(LPCSTR path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// True for X:\ followed by at least one character, the only form the location page passes.
static BOOL IsDriveLetterPath(LPCSTR path)
{
    char drive = path[0];
    BOOL letter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
    return letter && path[1] == ':' && path[2] == '\\' && path[3] != '\0';
}

void MakeDirectoryChain(LPCSTR path)
{
    if (!IsDriveLetterPath(path) || strlen(path) >= (size_t)CHAIN_PATH_SIZE) {
        return;
    }
    char work[CHAIN_PATH_SIZE];
    strcpy(work, path);
    int length = (int)strlen(work);
    if (work[length - 1] == '\\') {
        work[--length] = '\0';
    }
    int levels = 0;
    for (int i = length - 1; i >= 0; i--) {
        if (work[i] != '\\') {
            continue;
        }
        levels++;
        if (i > 0 && work[i - 1] == ':') {
            break;
        }
        work[i] = '\0';
    }
    if (levels < 1) {
        levels = 1;
    }
    for (int level = 0; level < levels; level++) {
        CreateDirectoryA(work, NULL);
        int end = (int)strlen(work);
        if (end < length) {
            work[end] = '\\';
        }
    }
}

BOOL ShouldDeleteFile(LPCSTR name)
{
    LPCSTR extension = FindExtension(name);
    if (extension == NULL) {
        return TRUE;
    }
    for (int i = 0; i < KEEP_EXTENSION_COUNT; i++) {
        if (SameLettersIgnoringCase(extension, KeepExtensions[i])) {
            return FALSE;
        }
    }
    return TRUE;
}

// One entry of a listing: emptied when a folder, deleted when a file not on the keep list.
// Links are passed over, so that nothing outside the folder's own tree is reached.
static void CleanOutEntry(LPCSTR folder, const WIN32_FIND_DATAA* found)
{
    BOOL isFolder = (found->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder && found->cFileName[0] == '.') {
        return;
    }
    if ((found->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return;
    }
    if (!JoinedPathFits(folder, found->cFileName)) {
        return;
    }
    char path[INSTALL_PATH_SIZE];
    JoinPath(path, folder, found->cFileName, 0);
    if (isFolder) {
        CleanOutFolder(path);
    } else if (ShouldDeleteFile(found->cFileName)) {
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path);
    }
}

BOOL CleanOutFolder(LPCSTR folder)
{
    if (!JoinedPathFits(folder, "*.*")) {
        return FALSE;
    }
    char pattern[INSTALL_PATH_SIZE];
    JoinPath(pattern, folder, "*.*", 0);
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA(pattern, &found);
    if (listing == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    do {
        CleanOutEntry(folder, &found);
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
    return TRUE;
}

