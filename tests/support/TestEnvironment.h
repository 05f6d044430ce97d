#pragma once

#include "core/platform/Environment.h"
#include "support/QtPrinters.h"

#include <QTemporaryDir>

namespace ortolino::test {

// Fresh XDG folders and a program folder for one test; nothing touches the
// real home. The program folder starts with a copy of the shipped languages,
// sounds, characters and font when asked, otherwise empty.
class TestEnvironment
{
public:
    enum class Data
    {
        Shipped,
        Empty
    };
    explicit TestEnvironment(Data data = Data::Shipped);

    const Environment& env() const { return env_; }
    QString root() const { return dir_.path(); }

    // Writes a file below the program folder (folders made as needed).
    void writeProgramFile(const QString& relative, const QByteArray& bytes) const;
    // A default profile in the users folder whose longest word tells it apart.
    void writeProfile(const QString& fileName, int massimoLettere) const;

private:
    QTemporaryDir dir_;
    Environment env_;
};

// Writes bytes to a path, making its folders.
void writeFile(const QString& path, const QByteArray& bytes);

} // namespace ortolino::test
