// QtPlatformServices: the platform services on Qt: QMessageBox for message boxes,
// QApplication::beep, and the library's own help viewer for the "VeltEditors" help pages.
// Without a QApplication (a console host) message boxes print to stderr and give the default
// answer, and help is not shown.
#pragma once

#include "platformservices.h"

namespace Velt {

class VELT_EXPORT QtPlatformServices : public PlatformServices
{
public:
    QtPlatformServices() = default;

    int messageBox(const QString& prompt, int flags = OkOnly, const QString& title = QString(),
                   QWidget* parent = nullptr) override;
    int askToSaveChanges(const QString& prompt, const QString& title = QString(),
                         QWidget* parent = nullptr) override;
    void beep() override;
    void showHelp(const QString& topic = QString(), QWidget* parent = nullptr) override;
};

} // namespace Velt
