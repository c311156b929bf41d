// The system controls' styles, messages and notifications, and message boxes.
#pragma once

#include "win/base.h"
