#include "dialogpanel_p.h"

#include "palettecolors.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace Velt {

QWidget* DialogPanel::panel(const char* objectName)
{
    auto* panel = new QWidget;
    panel->setObjectName(QString::fromLatin1(objectName));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    return panel;
}

QVBoxLayout* DialogPanel::columnOf(QWidget* panel)
{
    return qobject_cast<QVBoxLayout*>(panel->layout());
}

QLineEdit* DialogPanel::lineEdit(QWidget* parent, const char* objectName)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(objectName));
    return box;
}

QLabel* DialogPanel::label(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    if (buddy)
        label->setObjectName(buddy->objectName().replace(QStringLiteral("Text"),
                                                        QStringLiteral("Label")));
    return label;
}

void DialogPanel::setInputColour(QWidget* box, bool takesInput)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, takesInput ? QApplication::palette(box).color(QPalette::Base)
                                                : PaletteColors::menuBackground(box));
    box->setPalette(palette);
}

void DialogPanel::setInputEnabled(QLineEdit* box, QLabel* label, bool enabled)
{
    box->setEnabled(enabled);
    if (label)
        label->setEnabled(enabled);
    setInputColour(box, enabled);
}

RestrictionControls RestrictionControls::create(QWidget* parent)
{
    RestrictionControls controls;
    controls.frame = new QGroupBox(QCoreApplication::translate("DialogPanel", "Restriction"), parent);
    controls.frame->setObjectName(QStringLiteral("RestrictionFrame"));
    auto* grid = new QGridLayout(controls.frame);
    controls.check = new QCheckBox(QCoreApplication::translate("DialogPanel", "&Restrict the value"), controls.frame);
    controls.check->setObjectName(QStringLiteral("RestrictionCheck"));
    controls.low = DialogPanel::lineEdit(controls.frame, "RestrictionLowText");
    controls.high = DialogPanel::lineEdit(controls.frame, "RestrictionHighText");
    controls.lowLabel = DialogPanel::label(QCoreApplication::translate("DialogPanel", "L&ow:"), controls.low, controls.frame);
    controls.highLabel = DialogPanel::label(QCoreApplication::translate("DialogPanel", "&High:"), controls.high, controls.frame);
    grid->addWidget(controls.check, 0, 0, 1, 2);
    grid->addWidget(controls.lowLabel, 1, 0);
    grid->addWidget(controls.low, 1, 1);
    grid->addWidget(controls.highLabel, 2, 0);
    grid->addWidget(controls.high, 2, 1);
    grid->setRowStretch(3, 1);
    controls.enable(false);
    return controls;
}

void RestrictionControls::enable(bool designTime)
{
    check->setEnabled(designTime);
    const bool typed = designTime && check->isChecked();
    DialogPanel::setInputEnabled(low, lowLabel, typed);
    DialogPanel::setInputEnabled(high, highLabel, typed);
}

void RestrictionControls::clearTexts()
{
    low->clear();
    high->clear();
}

} // namespace Velt
