// The scripted user's way from the welcome box to a page of the example build, as string
// literals, so that scenarios can go on from them with more lines of their own.
#pragma once

#define SCRIPT_TO_LICENCE_PAGE \
    "wait \"Tarrowin\"\n"      \
    "click \"Continue\"\n"     \
    "wait \"Sweeplux License Agreement\"\n"

#define SCRIPT_TO_LOCATION_PAGE \
    SCRIPT_TO_LICENCE_PAGE      \
    "click \"I Agree\"\n"       \
    "wait \"Sweeplux Program Location\"\n"

#define SCRIPT_TO_INSTALLING_PAGE \
    SCRIPT_TO_LOCATION_PAGE       \
    "click \"Continue\"\n"        \
    "wait \"Installing Sweeplux Program Files\"\n"
