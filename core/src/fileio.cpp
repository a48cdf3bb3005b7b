// Whole-file reads and atomic writes for workspace and table files.
#include "fileio_p.h"

#include "store_p.h"

#include <QFile>
#include <QSaveFile>

namespace quen {

bool readFile(const std::string& path, QByteArray& content, const char* function)
{
    if (path.empty()) {
        raise(QUEN_ERR_FILE, function, "no file name given");
        return false;
    }
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        raise(QUEN_ERR_FILE, function, path + ": cannot be read: " + file.errorString().toStdString());
        return false;
    }
    content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        raise(QUEN_ERR_FILE, function, path + ": cannot be read: " + file.errorString().toStdString());
        return false;
    }
    return true;
}

bool writeFileAtomically(const std::string& path, const QByteArray& content, const char* function)
{
    if (path.empty()) {
        raise(QUEN_ERR_FILE, function, "no file name given");
        return false;
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
        raise(QUEN_ERR_FILE, function, path + ": cannot be written: " + file.errorString().toStdString());
        return false;
    }
    return true;
}

} // namespace quen
