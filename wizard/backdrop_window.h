// The full-screen backdrop, the step indicator it shows and the fixed sequence of pages.
#pragma once

#include <windows.h>

// Which step label of the backdrop is highlighted; SetStep replaces, never combines.
const DWORD STEP_LICENSE = 0x01;
const DWORD STEP_LOCATION = 0x02;
const DWORD STEP_FILES = 0x04;
const DWORD STEP_GROUP = 0x08;
const DWORD STEP_SHORTCUTS = 0x10;
const DWORD STEP_README = 0x20;
const DWORD STEP_FINISHED = 0x40;

const UINT_PTR BACKDROP_TIMER_ID = 100;

extern HWND BackdropWindow;
extern DWORD StepIndicator;

LRESULT CALLBACK BackdropProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void SetStep(DWORD step);
int ShowAbortMessage(HWND owner);
