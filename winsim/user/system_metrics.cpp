// GetSystemMetrics: the screen from the display, the rest the classic look's sizes.
#include <windows.h>

#include "host/display.h"
#include "user/nonclient.h"

using namespace winsim::user;

int WINAPI GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN: return winsim::host::display().width();
        case SM_CYSCREEN: return winsim::host::display().height();
        case SM_CXFULLSCREEN: return winsim::host::display().width();
        case SM_CYFULLSCREEN: return winsim::host::display().height() - nonclient::kCaptionHeight;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB: return 16;
        case SM_CYCAPTION: return nonclient::kCaptionHeight;
        case SM_CXBORDER:
        case SM_CYBORDER: return nonclient::kBorder;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME: return nonclient::kDialogFrame;
        case SM_CXFRAME:
        case SM_CYFRAME: return nonclient::kSizingFrame;
        case SM_CXEDGE:
        case SM_CYEDGE: return nonclient::kEdge;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR: return 32;
        case SM_CXSMICON:
        case SM_CYSMICON: return 16;
        case SM_CYSMCAPTION: return 15;
        case SM_CYMENU: return 19;
        case SM_CXSIZE:
        case SM_CYSIZE: return 18;
        case SM_CXMIN: return 112;
        case SM_CYMIN: return 27;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK: return 4;
        case SM_MOUSEPRESENT: return 1;
        default: return 0;
    }
}
