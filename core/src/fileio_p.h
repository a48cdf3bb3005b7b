// Reading a whole file and writing one atomically, with errors that name the file.
#pragma once

#include <QByteArray>

#include <string>

namespace quen {

bool readFile(const std::string& path, QByteArray& content, const char* function);
// Writes through QSaveFile: the file is replaced only when the whole content was written.
bool writeFileAtomically(const std::string& path, const QByteArray& content, const char* function);

} // namespace quen
