// Kernel services: files, folders, drives, times, module resources, global memory, processes, errors.
#pragma once

#include "win/base.h"
