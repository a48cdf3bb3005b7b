// Reading and writing whole files for the tests of the core's file formats.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace VeltTest {

// The file's bytes; empty when it cannot be read.
inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the bytes as the whole file; false when it cannot be written.
inline bool writeAll(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace VeltTest
