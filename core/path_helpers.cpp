// Composing paths, tidying letter case and finding extensions.
#include "core/path_helpers.h"

// Appends text at out and answers where its terminator would go.
static LPSTR CopyText(LPSTR out, LPCSTR text)
{
    while (*text != '\0') {
        *out++ = *text++;
    }
    return out;
}

// Writes a backslash unless the last character written is one; nothing written yet counts
// as no backslash.
static LPSTR EndWithBackslash(LPSTR start, LPSTR out)
{
    if (out == start || out[-1] != '\\') {
        *out++ = '\\';
    }
    return out;
}

void JoinPath(LPSTR output, LPCSTR folder, LPCSTR name, int quote)
{
    LPSTR out = output;
    if (quote) {
        *out++ = '"';
    }
    out = CopyText(out, folder);
    out = EndWithBackslash(output, out);
    out = CopyText(out, name);
    if (quote) {
        *out++ = '"';
    }
    *out = '\0';
}

void MakeLinkPath(LPSTR output, LPCSTR programsFolder, LPCSTR groupName, LPCSTR shortcutName)
{
    LPSTR out = CopyText(output, programsFolder);
    out = EndWithBackslash(output, out);
    out = CopyText(out, groupName);
    out = EndWithBackslash(output, out);
    out = CopyText(out, shortcutName);
    out = CopyText(out, ".lnk");
    *out = '\0';
}

static BOOL IsLowerLetter(char c)
{
    return c >= 'a' && c <= 'z';
}

static BOOL IsUpperLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}

void PrettifyCase(LPSTR text)
{
    if (text[0] == '\0') {
        return;
    }
    if (IsLowerLetter(text[0])) {
        text[0] = (char)(text[0] - 'a' + 'A');
    }
    int i = 1;
    while (text[i] != '\0') {
        char c = text[i];
        if (c == ' ' || c == '\\') {
            char next = text[i + 1];
            if (next == '\0') {
                break;
            }
            if (IsLowerLetter(next)) {
                text[i + 1] = (char)(next - 'a' + 'A');
            }
            i += 2;
        } else {
            if (IsUpperLetter(c)) {
                text[i] = (char)(c - 'A' + 'a');
            }
            i += 1;
        }
    }
}

LPCSTR FindExtension(LPCSTR name)
{
    LPCSTR lastStop = NULL;
    for (LPCSTR p = name; *p != '\0'; p++) {
        if (*p == '.') {
            lastStop = p;
        }
    }
    return lastStop;
}
