// User interface services: window classes, windows, messages, timers, dialogs, controls, message boxes, input.
#pragma once

#include "win/base.h"
