#pragma once
// The Windows API as the serial component's Windows files use it: the headers in the order they
// need (hence no formatting here), without the system's macros for the line-event, error and
// purge flags (EV_ERR, CE_*, PURGE_*). serial_backend.h declares constants of those names with
// the same values, which then serve the system calls as well. These files include this header,
// never <windows.h> itself, and then may include it and serial_backend.h in any order.

// clang-format off
#include <windows.h>
#include <dbt.h>
#include <setupapi.h>
#include <timeapi.h>
#include <winioctl.h>
// clang-format on

#undef EV_ERR
#undef CE_OVERRUN
#undef CE_RXPARITY
#undef CE_FRAME
#undef CE_BREAK
#undef PURGE_TXABORT
#undef PURGE_RXABORT
#undef PURGE_TXCLEAR
#undef PURGE_RXCLEAR
