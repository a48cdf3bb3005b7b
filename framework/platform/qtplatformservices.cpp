#include "qtplatformservices.h"

#include "helpviewer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHash>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

namespace Velt {

namespace {

QMessageBox::StandardButton standardButton(int answer)
{
    switch (answer) {
    case PlatformServices::Ok: return QMessageBox::Ok;
    case PlatformServices::Cancel: return QMessageBox::Cancel;
    case PlatformServices::Abort: return QMessageBox::Abort;
    case PlatformServices::Retry: return QMessageBox::Retry;
    case PlatformServices::Ignore: return QMessageBox::Ignore;
    case PlatformServices::Yes: return QMessageBox::Yes;
    case PlatformServices::No: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

QMessageBox::Icon iconFor(int flags)
{
    switch (flags & 0x70) {
    case PlatformServices::Critical: return QMessageBox::Critical;
    case PlatformServices::Question: return QMessageBox::Question;
    case PlatformServices::Exclamation: return QMessageBox::Warning;
    case PlatformServices::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

bool haveWidgets() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

} // namespace

int QtPlatformServices::messageBox(const QString& prompt, int flags, const QString& title,
                                   QWidget* parent)
{
    const QString caption = title.isEmpty() ? defaultTitle() : title;
    if (!haveWidgets()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(prompt));
        return defaultAnswer(flags);
    }
    QMessageBox box(iconFor(flags), caption, prompt, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("VeltMessageBox"));
    QHash<QAbstractButton*, int> answers;
    for (const int answer : buttonsFor(flags)) {
        QAbstractButton* button = box.addButton(standardButton(answer));
        answers.insert(button, answer);
        if (answer == defaultAnswer(flags))
            box.setDefaultButton(qobject_cast<QPushButton*>(button));
        if (answer == escapeAnswer(flags))
            box.setEscapeButton(button);
    }
    box.exec();
    const int answer = answers.value(box.clickedButton(), 0);
    return answer ? answer : escapeAnswer(flags) ? escapeAnswer(flags) : defaultAnswer(flags);
}

int QtPlatformServices::askToSaveChanges(const QString& prompt, const QString& title,
                                         QWidget* parent)
{
    if (!haveWidgets())
        return PlatformServices::askToSaveChanges(prompt, title, parent);
    QMessageBox box(QMessageBox::Warning, title.isEmpty() ? defaultTitle() : title, prompt,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("VeltMessageBox"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save: return Yes;
    case QMessageBox::Discard: return No;
    default: return Cancel;
    }
}

void QtPlatformServices::beep()
{
    if (haveWidgets())
        QApplication::beep();
}

void QtPlatformServices::showHelp(const QString& topic, QWidget* parent)
{
    if (haveWidgets())
        HelpViewer::showTopic(topic, parent);
}

} // namespace Velt
