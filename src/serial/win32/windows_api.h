#pragma once
// The Windows API as the serial link's Windows files use it: the headers in the order they need
// (hence no formatting here). These files include this header, never <windows.h> itself.

// clang-format off
#include <windows.h>
#include <dbt.h>
#include <setupapi.h>
#include <timeapi.h>
#include <winioctl.h>
// clang-format on
