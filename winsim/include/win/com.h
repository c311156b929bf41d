// COM: IUnknown, apartment initialisation, object creation, IPersistFile.
#pragma once

#include "win/base.h"
