#pragma once

#include <cstdint>
#include <string>

// The library is built with hidden visibility; only the functions marked here are exported.
#if defined(_WIN32)
#if defined(QVCONSL_BUILDING)
#define QVCONSL_EXPORT __declspec(dllexport)
#else
#define QVCONSL_EXPORT __declspec(dllimport)
#endif
#else
#define QVCONSL_EXPORT __attribute__((visibility("default")))
#endif

// Number of tips held by the library.
QVCONSL_EXPORT std::int32_t GetNbConseil();

// Replaces `text` with tip `number` (1 to GetNbConseil()), UTF-8. For any other number `text` is left
// unchanged, so a caller that passes an empty string gets an empty string back.
QVCONSL_EXPORT void GetConseil(std::int32_t number, std::string& text);
