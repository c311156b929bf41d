// The times the installation stamps on the files it writes.
#pragma once

#include <string>

#include <windows.h>

// The test manifests' time, 28 November 2005 03:06, as UTC: taken as local time with the
// bias in force now.
ULONGLONG ExpectedManifestStamp();

// Expects the file's creation, last-access and last-write times all to be `stamp`.
void ExpectStamped(const std::string& windows_path, ULONGLONG stamp);
