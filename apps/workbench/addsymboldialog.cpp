#include "addsymboldialog.h"

#include "datatypeselector.h"
#include "parmnameeditor.h"
#include "qtstrings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Workbench {

AddSymbolDialog::AddSymbolDialog(QuenHandle table, QWidget* parent)
    : QDialog(parent)
    , m_table(table)
    , m_name(new ParmNameEditor(this))
    , m_type(new DataTypeSelector(this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName(QStringLiteral("AddSymbolDialog"));
    setWindowTitle(tr("New Symbol in %1").arg(quen::toQString(QuenPbDefGetName(table))));
    m_name->setObjectName(QStringLiteral("SymbolName"));
    m_name->setBlockHandle(table);
    m_name->setText(QString());
    m_type->setObjectName(QStringLiteral("SymbolType"));
    m_type->setSorted(true);
    m_type->setDataClass(QStringLiteral("CQuenInt32"));

    auto* form = new QFormLayout(this);
    auto* nameLabel = new QLabel(tr("&Name:"), this);
    nameLabel->setBuddy(m_name);
    auto* typeLabel = new QLabel(tr("&Type:"), this);
    typeLabel->setBuddy(m_type);
    form->addRow(nameLabel, m_name);
    form->addRow(typeLabel, m_type);
    form->addRow(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &AddSymbolDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // The name editor keeps Enter and Escape for its host.
    connect(m_name, qOverload<int*, int*>(&ParmNameEditor::KeyDown), this, [this](int* keyCode, int*) {
        if (*keyCode == Qt::Key_Return || *keyCode == Qt::Key_Enter)
            accept();
        else if (*keyCode == Qt::Key_Escape)
            reject();
    });
    connect(m_name, &ParmNameEditor::Change, this, &AddSymbolDialog::updateButtons);
    connect(m_name->textBox(), &QLineEdit::textChanged, this, &AddSymbolDialog::updateButtons);
    connect(m_type, &DataTypeSelector::Change, this, &AddSymbolDialog::updateButtons);
    setTabOrder(m_name, m_type);
    m_name->setFocus();
    updateButtons();
}

void AddSymbolDialog::updateButtons()
{
    m_buttons->button(QDialogButtonBox::Ok)
        ->setEnabled(m_name->ErrorMessage().isEmpty() && !m_type->DataClass().isEmpty());
}

void AddSymbolDialog::accept()
{
    if (!m_name->ErrorMessage().isEmpty() || m_type->DataClass().isEmpty())
        return;
    const QByteArray name = quen::toUtf8(m_name->ParameterName());
    const QByteArray type = quen::toUtf8(m_type->DataClass());
    const QuenHandle symbol = QuenParmCreate(name.constData(), type.constData());
    if (!symbol || !QuenPbDefAddParm(m_table, symbol)) {
        if (symbol)
            QuenParmRelease(symbol);
        Q_EMIT problem(tr("The symbol \"%1\" could not be added.").arg(m_name->ParameterName()));
        return;
    }
    m_symbol = symbol;
    QDialog::accept();
}

} // namespace Workbench
