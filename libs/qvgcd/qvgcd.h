#pragma once

#include <cstdint>

// The library is built with hidden visibility; only the functions marked here are exported.
#if defined(_WIN32)
#if defined(QVGCD_BUILDING)
#define QVGCD_EXPORT __declspec(dllexport)
#else
#define QVGCD_EXPORT __declspec(dllimport)
#endif
#else
#define QVGCD_EXPORT __attribute__((visibility("default")))
#endif

// The registers of the cache-descriptor leaf (CPUID leaf 2) of the installed processor source, each
// read afresh; 0 when the processor has no CPUID.
extern "C" {
QVGCD_EXPORT std::uint32_t getcda(); // EAX
QVGCD_EXPORT std::uint32_t getcdb(); // EBX
QVGCD_EXPORT std::uint32_t getcdc(); // ECX
QVGCD_EXPORT std::uint32_t getcdd(); // EDX
}
