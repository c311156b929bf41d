// The wizard's pages: their templates and their dialog procedures.
#pragma once

#include <windows.h>

const int IDD_WELCOME_PAGE = 1001;
const int IDD_LICENSE_PAGE = 1002;
const int IDD_LOCATION_PAGE = 1003;
const int IDD_INSTALLING_PAGE = 1004;
const int IDD_GROUP_PAGE = 1005;
const int IDD_SHORTCUTS_PAGE = 1006;

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK LicensePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK LocationPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK InstallingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK GroupPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
