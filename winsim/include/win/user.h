// User interface services: window classes, windows, messages, timers, dialogs, input.
#pragma once

#include "win/base.h"
#include "win/user_controls.h"
