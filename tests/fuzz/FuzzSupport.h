#pragma once

// What every fuzz target shares: the input as bytes and a check that stops the
// run with a message when a property does not hold.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <QByteArray>
#include <QString>

namespace ortolino::fuzz {

inline QByteArray bytesOf(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

inline void check(bool holds, const char* what, const QString& detail = {})
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s %s\n", what, qPrintable(detail));
    std::abort();
}

} // namespace ortolino::fuzz
