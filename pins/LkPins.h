#pragma once

// The pin framework: pins owned by components, linked source to sinks, agreeing on a stream type
// (a GUID) directly or through a format converter the framework inserts by itself. One header per
// class or small family; this one includes them all.

#include "pins/LkBasicPin.h"
#include "pins/LkFormatConverter.h"
#include "pins/LkObject.h"
#include "pins/LkPin.h"
#include "pins/LkPinList.h"
#include "pins/LkPinPaths.h"
#include "pins/LkPinRegistry.h"
#include "pins/LkSinkPin.h"
#include "pins/LkSourcePin.h"
#include "pins/LkStateDispatcher.h"
#include "pins/LkStatePin.h"
#include "pins/LkUnloadedPin.h"
