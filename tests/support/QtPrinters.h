#pragma once

#include <ostream>
#include <QString>
#include <QStringList>

// Readable failure messages for Qt values in GoogleTest assertions.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* out)
{
    *out << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}
