#pragma once

#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A property that fails is a crash to libFuzzer and to the replay driver alike.
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void()                                                                          \
                 : (std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__,          \
                                 __LINE__, #condition),                                            \
                    std::abort()))

namespace tarvo {

inline QByteArray fuzzBytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace tarvo
