// The product record: everything particular to the product this build installs.
#pragma once

#include <windows.h>

// Entry flags; no code looks at any other bit.
#define ENTRY_IN_PROGRAM_DIR 0x01  // shortcut target and working folder in ProgramDir
#define ENTRY_TO_WINDOWS_DIR 0x02  // the file is written into WindowsDir
#define ENTRY_ALWAYS_WRITE 0x10    // written even when the destination already exists

// Room for entries in the record; a build uses the leading ones.
const int MANIFEST_ENTRY_ROOM = 32;

const int PRODUCT_NAME_SIZE = 20;
const int PRODUCT_VERSION_SIZE = 10;
const int TAGLINE_SIZE = 60;
const int PUBLISHER_NAME_SIZE = 20;
const int WEB_PAGE_SIZE = 60;
const int ENTRY_FILE_NAME_SIZE = 24;
const int ENTRY_RESOURCE_NAME_SIZE = 16;
const int ENTRY_SHORTCUT_NAME_SIZE = 20;

struct ManifestEntry {
    char FileName[ENTRY_FILE_NAME_SIZE];          // bare name at the destination
    DWORD Flags;                                  // ENTRY_ flags
    char ResourceName[ENTRY_RESOURCE_NAME_SIZE];  // RT_RCDATA resource with the payload stream
    char ShortcutName[ENTRY_SHORTCUT_NAME_SIZE];  // link file name without .lnk, and its description
    DWORD UncompressedSize;                       // bytes the stream decodes to
    DWORD CompressedSize;                         // bytes of the stream, the resource's size
};

struct InstallManifest {
    char ProductName[PRODUCT_NAME_SIZE];
    char ProductVersion[PRODUCT_VERSION_SIZE];  // without a leading "v"
    char Tagline[TAGLINE_SIZE];
    char PublisherName[PUBLISHER_NAME_SIZE];
    char WebPage[WEB_PAGE_SIZE];
    SYSTEMTIME FileTimestamp;  // local time given to every written file
    ManifestEntry Entries[MANIFEST_ENTRY_ROOM];
    SHORT FileCount;      // entries installed, from the first
    SHORT ShortcutCount;  // leading entries that get a shortcut
};

// The one record of the build, generated from resources/product.ini.
extern const InstallManifest Manifest;
