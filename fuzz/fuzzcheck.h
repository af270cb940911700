#pragma once

#include <QString>

#include <cstdio>
#include <cstdlib>

// A property that must hold for every input: on violation, say which and where, and abort
// so that libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property violated: %s\n", __FILE__, __LINE__,             \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// The input as Latin-1 text, one character per byte, as download files are read.
inline QString Fuzz_Text(const unsigned char *data, size_t size)
{
    return QString::fromLatin1(reinterpret_cast<const char *>(data), static_cast<int>(size));
}

inline bool Is_Upper_Hex_Digit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}
