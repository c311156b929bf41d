// COM: apartment initialisation and object creation.
#pragma once

#include <windows.h>
#include "win/com.h"
