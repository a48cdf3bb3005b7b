#include "symboldialogs.h"

#include "componentmacros.h"
#include "parmblockeditor.h"
#include "platformservices.h"
#include "qtstrings.h"
#include "symbolselector.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

VELT_REGISTER_CLASS(SymbolDialogs, InvisibleControl, "", "")

namespace {

// What both forms share: a prompt line above the content, OK, Cancel and Help below.
class SymbolForm : public QDialog
{
public:
    SymbolForm(const QString& name, const QString& title, const QString& helpTopic)
    {
        setObjectName(name);
        setWindowTitle(title);
        m_layout = new QVBoxLayout(this);
        prompt = new QLabel(this);
        prompt->setObjectName(QStringLiteral("Prompt"));
        m_layout->addWidget(prompt);
        buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
        buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
        buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
        buttons->button(QDialogButtonBox::Help)->setObjectName(QStringLiteral("HelpButton"));
        m_layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(buttons, &QDialogButtonBox::helpRequested, this,
                [this, helpTopic] { Velt::PlatformServices::instance().showHelp(helpTopic, this); });
    }
    void setContent(QWidget* content) { m_layout->insertWidget(1, content, 1); }
    // Shows the form modally over the owner's window; true on OK.
    bool run(QWidget* owner)
    {
        QWidget* window = owner ? owner->window() : nullptr;
        if (parentWidget() != window)
            setParent(window, windowFlags() | Qt::Dialog);
        const bool accepted = exec() == QDialog::Accepted;
        setParent(nullptr, windowFlags() | Qt::Dialog);
        return accepted;
    }

    QLabel* prompt = nullptr;
    QDialogButtonBox* buttons = nullptr;

private:
    QVBoxLayout* m_layout = nullptr;
};

class SelectSymbolForm : public SymbolForm
{
public:
    SelectSymbolForm() : SymbolForm(QStringLiteral("SelectSymbolDialog"), QStringLiteral("Select Symbol"), QStringLiteral("parmblock"))
    {
        selector = new SymbolSelector(this);
        selector->setObjectName(QStringLiteral("SymbolSelector"));
        selector->setCompact(false);
        setContent(selector);
        connect(selector, &SymbolSelector::Change, this, [this] { updatePrompt(); });
    }
    void updatePrompt()
    {
        prompt->setText(selector->SymbolName().isEmpty() ? QStringLiteral("Select table from list")
                                                         : QStringLiteral("Select symbol from list and press OK"));
    }
    SymbolSelector* selector = nullptr;
};

class NewSymbolForm : public SymbolForm
{
public:
    NewSymbolForm() : SymbolForm(QStringLiteral("NewSymbolDialog"), QStringLiteral("New Symbol"), QStringLiteral("parmblock"))
    {
        editor = new ParmBlockEditor(this);
        editor->setObjectName(QStringLiteral("ParmBlockEditor"));
        setContent(editor);
        resize(560, 320);
        connect(editor, &ParmBlockEditor::ParameterCreated, this, [this](const QString& name) {
            if (!symbol.isEmpty())
                return;
            symbol = name;
            prompt->setText(QStringLiteral("Table '") + table + QStringLiteral("' -- Rename '") + symbol
                            + QStringLiteral("' and Tab to value field"));
        });
        connect(editor, &ParmBlockEditor::ParameterRenamed, this, [this](const QString&, const QString& name) {
            symbol = name;
            prompt->setText(QStringLiteral("Table '") + table + QStringLiteral("' -- Modify value for '") + symbol
                            + QStringLiteral("' and press OK"));
        });
    }

    ParmBlockEditor* editor = nullptr;
    QString table;
    QString dataClass;
    QString symbol;

protected:
    void showEvent(QShowEvent* event) override
    {
        SymbolForm::showEvent(event);
        if (symbol.isEmpty())
            editor->InsertNew(1, dataClass);
    }
};

QPointer<SelectSymbolForm> selectForm;
QPointer<NewSymbolForm> newForm;

void deleteForms()
{
    delete selectForm;
    delete newForm;
}

template <typename Form>
Form* shared(QPointer<Form>& slot)
{
    if (!slot) {
        if (!selectForm && !newForm)
            qAddPostRoutine(deleteForms);
        slot = new Form;
    }
    return slot;
}

} // namespace

SymbolDialogs::SymbolDialogs(QWidget* parent) : QWidget(parent)
{
    setFixedSize(0, 0);
    hide();
}

SymbolDialogs::~SymbolDialogs() = default;

QString SymbolDialogs::InsertNewSymbolDialog(const QString& SymbolTable, const QString& DataType)
{
    const QByteArray name = quen::toUtf8(SymbolTable);
    const QuenHandle table = QuenTableRegFindTable(name.constData(), int32_t(name.size()));
    QuenExcRegClearError(0);
    NewSymbolForm* form = shared(newForm);
    if (!table || form->isVisible())
        return {};
    form->table = quen::toQString(QuenTableGetName(table));
    form->dataClass = DataType;
    form->symbol.clear();
    form->editor->EditSymbolTable(int(table), true);
    const bool accepted = form->run(parentWidget());
    form->editor->EndInplaceEditing(true);
    if (!accepted && !form->symbol.isEmpty()) {
        form->editor->Delete(1);
        form->symbol.clear();
    }
    const QString result = std::exchange(form->symbol, QString());
    form->editor->EditSymbolTable(0, true);
    return result;
}

bool SymbolDialogs::pickSymbol(const QString& dataClass, QString& table, QString& symbol, QWidget* owner)
{
    SelectSymbolForm* form = shared(selectForm);
    if (form->isVisible())
        return false;
    form->selector->setFilter(dataClass);
    form->selector->setTableName(table);
    form->selector->setSymbolName(symbol);
    form->updatePrompt();
    if (!form->run(owner ? owner : parentWidget()))
        return false;
    table = form->selector->TableName();
    symbol = form->selector->SymbolName();
    return true;
}

QString SymbolDialogs::ReferenceSymbolDialog(const QString& DataType, const QString& SelectTable,
                                             const QString& SelectSymbol, const QString& Separator)
{
    SelectSymbolForm* form = shared(selectForm);
    form->selector->setSeparator(Separator);
    QString table = SelectTable;
    QString symbol = SelectSymbol;
    return pickSymbol(DataType, table, symbol) ? form->selector->FullName() : QString();
}
