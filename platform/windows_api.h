#pragma once

// <windows.h> without its min/max macros and its rarely used parts. Include it only under _WIN32.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
