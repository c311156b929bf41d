// Helpers that act on a page: showing counts in its controls and keeping it responsive.
#include "core/path_helpers.h"

const int THOUSANDS_TEXT_SIZE = 16;  // 4,294,967,295 is 13 characters

void FormatThousands(HWND dialog, int controlId, DWORD value)
{
    char reversed[THOUSANDS_TEXT_SIZE];
    char text[THOUSANDS_TEXT_SIZE];
    int length = 0;
    int digitsInGroup = 0;
    do {
        if (digitsInGroup == 3) {
            reversed[length++] = ',';
            digitsInGroup = 0;
        }
        reversed[length++] = (char)('0' + value % 10);
        digitsInGroup++;
        value /= 10;
    } while (value != 0);
    for (int i = 0; i < length; i++) {
        text[i] = reversed[length - 1 - i];
    }
    text[length] = '\0';
    SetDlgItemTextA(dialog, controlId, text);
}

void PumpMessagesFor(HWND window, DWORD duration)
{
    DWORD start = GetTickCount();
    DWORD now;
    do {
        now = GetTickCount();
        MSG message;
        if (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    } while (now - start < duration);
}
