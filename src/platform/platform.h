#pragma once
// The module's one door to the operating system. The Windows build sees the
// real API headers; every other build sees the same names declared by
// host_api.h, which the simulated game supplies. Nothing else in the module
// knows which build it is in.

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// mmsystem.h and xinput.h need the types windows.h declares.
#include <mmsystem.h>
#include <xinput.h>
#else
#include "platform/host_api.h"
#endif
