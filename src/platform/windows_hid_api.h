#pragma once
// The Windows HID, setup and I/O services in one include. The HID headers
// declare C functions without C++ linkage of their own.

#ifndef NOMINMAX
#define NOMINMAX
#endif
// clang-format off
// Every other Windows header needs the types of windows.h first.
#include <windows.h>
#include <setupapi.h>
// clang-format on

extern "C" {
#include <hidsdi.h> // with hidusage.h and hidpi.h, in the order they need
}
