#include "stringarrayeditor.h"

#include "arrayeditorbase_p.h"
#include "arraygridmodel_p.h"
#include "arrayitem_p.h"
#include "componentmacros.h"
#include "itemproperties_p.h"
#include "stringarrayfields_p.h"
#include "stringarrayrules.h"
#include "stringgridbuffer_p.h"
#include "stringrules.h"

#include "quen/quencore.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

VELT_REGISTER_CLASS(StringArrayEditor, VisibleControl, "XCStructEditing", "")

namespace R = Velt::StringRules;
namespace P = Velt::ItemProperties;

class StringArrayEditorPrivate : public Velt::ArrayEditorBasePrivate
{
    Q_DECLARE_PUBLIC(StringArrayEditor)

public:
    int32_t working = 0;
    bool copied = false; // working is a deep copy the editor owns
    QButtonGroup* viewOptions = nullptr;

    Velt::StringGridBuffer* strings() const
    {
        return static_cast<Velt::StringGridBuffer*>(buffer.get());
    }

    QWidget* buildAttributesPage();
    void viewChosen(const QString& view);
    void release()
    {
        if (copied)
            QuenDataRelease(working);
        working = 0;
        copied = false;
    }

    QString statusText() const override
    {
        if (tabs->currentWidget() != valuesPage)
            return {};
        return R::viewStatus(strings()->characters(currentCell().row), strings()->view());
    }
    QString pasteErrorText(const QString&) const override
    {
        return Velt::StringArrayRules::pasteError(strings()->view());
    }
};

QWidget* StringArrayEditorPrivate::buildAttributesPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("AttributesPage"));
    auto* column = new QVBoxLayout(page);
    auto* frame = new QGroupBox(StringArrayEditor::tr("View As"), page);
    frame->setObjectName(QStringLiteral("ViewAsFrame"));
    auto* options = new QVBoxLayout(frame);
    viewOptions = new QButtonGroup(page);
    const std::pair<const char*, QString> choices[] = {
        {"ViewAsCharactersOption", StringArrayEditor::tr("&Characters")},
        {"ViewAsOctalOption", StringArrayEditor::tr("&Octal")},
        {"ViewAsHexOption", StringArrayEditor::tr("&Hexadecimal")},
    };
    int id = 0;
    for (const auto& [name, text] : choices) {
        auto* option = new QRadioButton(text, frame);
        option->setObjectName(QString::fromLatin1(name));
        viewOptions->addButton(option, id++);
        options->addWidget(option);
    }
    viewOptions->button(0)->setChecked(true);
    column->addWidget(frame);
    column->addStretch(1);
    QObject::connect(viewOptions, &QButtonGroup::idClicked, page, [this](int chosen) {
        viewChosen(R::viewNames().at(chosen));
    });
    return page;
}

void StringArrayEditorPrivate::viewChosen(const QString& view)
{
    if (view == strings()->view())
        return;
    endCellEdit(true);
    strings()->setView(view);
    refreshCells();
    showError(QString());
    showStatus(QString());
    updateStatus();
}

StringArrayEditor::StringArrayEditor(QWidget* parent)
    : ArrayEditorBase(*new StringArrayEditorPrivate, QStringLiteral("CQuenStringArray"),
                      QStringLiteral("String Array"), QStringLiteral("CQuenStringArray"), parent)
{
    Q_D(StringArrayEditor);
    d->options.texts = Velt::ArrayTexts::stringFamily();
    d->options.maxDimensions = 1;
    d->options.gridName = QStringLiteral("StringArrayList");
    d->options.cellEditorName = QStringLiteral("StringArrayEditText");
    d->buffer = std::make_unique<Velt::StringGridBuffer>();
    d->buildFrame();
    d->tabs->addTab(d->buildAttributesPage(), tr("Attributes"));
    setPanel(d->frame);
    setFieldTable(Velt::StringArrayFields::table());
}

StringArrayEditor::~StringArrayEditor()
{
    d_func()->release();
}

QString StringArrayEditor::view() const { return d_func()->strings()->view(); }

void StringArrayEditor::beginEdit(int32_t item)
{
    Q_D(StringArrayEditor);
    d->release();
    const int32_t maxCount = Velt::ArrayItem::maxCount(item);
    panel()->hide();
    d->copied = Velt::ArrayItem::elementCount(item) == 0;
    d->working = d->copied ? QuenDataExDeepCopy(item) : item;
    const QList<Velt::BoundLock> locks = Velt::ArrayItem::locks(d->working, 1);
    d->strings()->load(d->working);
    const QString view = Velt::StringArrayRules::viewOf(P::stringProperty(d->working, P::ViewAs));
    d->strings()->setView(view);
    d->viewOptions->button(int(R::viewNames().indexOf(view)))->setChecked(true);
    d->loadFrame(maxCount, locks);
    d->showTab(d->copied ? Velt::ArrayEditorBasePrivate::DimensionsTab
                         : Velt::ArrayEditorBasePrivate::ValuesTab);
    d->updateStatus();
}

void StringArrayEditor::acceptEdit(int32_t item)
{
    Q_D(StringArrayEditor);
    d->endCellEdit(true);
    d->strings()->store(item);
    Velt::ArrayItem::setLocks(item, d->locks());
    const QString view = d->strings()->view();
    if (view == R::Characters)
        P::removeProperty(item, P::ViewAs);
    else
        P::setStringProperty(item, P::ViewAs, view);
    d->release();
}

void StringArrayEditor::cancelEdit()
{
    Q_D(StringArrayEditor);
    d->endCellEdit(false);
    d->release();
}
