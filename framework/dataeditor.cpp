#include "dataeditor.h"

#include "callfailure.h"
#include "callfailurescope.h"
#include "componentmacros.h"
#include "dataeditor_p.h"
#include "dataeditorrules.h"
#include "palettecolors.h"
#include "platformservices.h"
#include "qtstrings.h"
#include "symbolselector.h"
#include "twips.h"
#include "xcdataeditorextender.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

VELT_REGISTER_CLASS(DataEditor, VisibleControl, "XCDialogDataEditing, XCEditArea",
                    "HideEdit(DataHandle), ShowEdit(DataHandle), AcceptEdit(DataHandle), "
                    "CancelEdit(), BeginEdit(DataHandle)")
VELT_REGISTER_CLASS(XCDialogDataEditing, NonCreatable, "", "")
VELT_REGISTER_CLASS(XCDialogDataEditorSite, NonCreatable, "", "")
VELT_REGISTER_CLASS(XCEditArea, NonCreatable, "", "")

namespace DataEditorRules = Velt::DataEditorRules;

namespace {

// Gaps of the layout in pixels at 96 DPI: the edit area's left margin is 120 twips, the gap
// above the edit region 100 twips, as the recommended-size sums assume.
constexpr int SideMargin = 120;
constexpr int TopGap = 100;
// The designed width of the title frame: the narrowest the control is recommended to be.
constexpr int DesignedTitleWidth = 4200;

int px(int twips, const QWidget* widget, Qt::Orientation o = Qt::Horizontal)
{
    return Velt::twipsToPixels(twips, widget, o).value_or(0);
}

// An overflow is a failure of the editor's member that asked; it then reads 0.
int twips(int pixels, const QWidget* widget, Qt::Orientation o = Qt::Horizontal)
{
    const std::optional<int> value = Velt::pixelsToTwips(pixels, widget, o);
    if (!value) {
        Velt::reportCallFailed(widget, QStringLiteral("Overflow"));
        return 0;
    }
    return *value;
}

} // namespace

void DataEditor::Private::buildChildren(DataEditor* q)
{
    auto* outer = new QVBoxLayout(q);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // Upper region: the gap above the edit region, and the title frame when it is shown.
    titleHolder = new QWidget(q);
    titleHolder->setObjectName(QStringLiteral("TitleHolder"));
    auto* holderLayout = new QVBoxLayout(titleHolder);
    const int side = px(SideMargin, q);
    const int gap = px(TopGap, q, Qt::Vertical);
    holderLayout->setContentsMargins(side, gap, side, gap);
    holderLayout->setSpacing(0);
    titleFrame = new QGroupBox(titleHolder);
    titleFrame->setObjectName(QStringLiteral("TitleFrame"));
    titleFrame->setTitle(DataEditorRules::defaultParameterName());
    // Once its caption is cleared the title frame only holds the parameter frame: no second box.
    titleFrame->setStyleSheet(QStringLiteral("QGroupBox#TitleFrame { border: 0; margin: 0; padding: 0; }"));
    auto* titleLayout = new QVBoxLayout(titleFrame);
    titleLayout->setContentsMargins(0, 0, 0, 0);
    holderLayout->addWidget(titleFrame);

    parameterFrame = new QGroupBox(DataEditorRules::parameterFrameCaption(QStringLiteral("parameter")),
                                   titleFrame);
    parameterFrame->setObjectName(QStringLiteral("ParameterFrame"));
    titleLayout->addWidget(parameterFrame);
    auto* grid = new QGridLayout(parameterFrame);
    auto* descriptionLabel = new QLabel(DataEditor::tr("&Description:"), parameterFrame);
    descriptionLabel->setObjectName(QStringLiteral("DescriptionLabel"));
    descriptionText = new QLineEdit(parameterFrame);
    descriptionText->setObjectName(QStringLiteral("DescriptionText"));
    descriptionLabel->setBuddy(descriptionText);
    grid->addWidget(descriptionLabel, 0, 0);
    grid->addWidget(descriptionText, 0, 1, 1, 3);

    constantOption = new QRadioButton(DataEditor::tr("&Constant"), parameterFrame);
    constantOption->setObjectName(QStringLiteral("ConstantOption"));
    referenceOption = new QRadioButton(DataEditor::tr("&Reference"), parameterFrame);
    referenceOption->setObjectName(QStringLiteral("ReferenceOption"));
    auto* choice = new QButtonGroup(parameterFrame);
    choice->addButton(constantOption);
    choice->addButton(referenceOption);
    constantOption->setChecked(true);
    outputCheck = new QCheckBox(DataEditor::tr("&Output"), parameterFrame);
    outputCheck->setObjectName(QStringLiteral("OutputCheck"));
    grid->addWidget(constantOption, 1, 0, 1, 2);
    grid->addWidget(referenceOption, 1, 2);
    grid->addWidget(outputCheck, 1, 3, Qt::AlignRight);

    selector = new SymbolSelector(parameterFrame);
    selector->setObjectName(QStringLiteral("SymSelect"));
    selector->setCompact(true);
    selector->setFilter(QStringLiteral("All Tables"));
    QSizePolicy keepRoom = selector->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true); // the frame keeps its height in both modes
    selector->setSizePolicy(keepRoom);
    selector->hide();
    grid->addWidget(selector, 2, 0, 1, 4);
    grid->setColumnStretch(2, 1);
    outer->addWidget(titleHolder);

    // Edit region: the edit area, the status line and the buttons.
    editFrame = new QWidget(q);
    editFrame->setObjectName(QStringLiteral("EditFrame"));
    auto* editLayout = new QVBoxLayout(editFrame);
    editLayout->setContentsMargins(side, 0, side, px(SideMargin, q, Qt::Vertical));
    extender = new XCDataEditorExtender(editFrame);
    extender->setObjectName(QStringLiteral("DataEditorExtender"));
    extender->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    editLayout->addWidget(extender, 1);

    statusLabel = new QLabel(editFrame);
    statusLabel->setObjectName(QStringLiteral("StatusLabel"));
    statusLabel->setTextFormat(Qt::PlainText);
    statusLabel->setAutoFillBackground(true);
    statusLabel->setFrameShape(QFrame::StyledPanel);
    statusLabel->setFrameShadow(QFrame::Sunken);
    statusLabel->setMargin(2);
    statusLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    editLayout->addWidget(statusLabel);

    auto* buttons = new QHBoxLayout;
    okCommand = new QPushButton(DataEditor::tr("OK"), editFrame);
    okCommand->setObjectName(QStringLiteral("OKCommand"));
    okCommand->setDefault(true);
    cancelCommand = new QPushButton(DataEditor::tr("Cancel"), editFrame);
    cancelCommand->setObjectName(QStringLiteral("CancelCommand"));
    helpCommand = new QPushButton(DataEditor::tr("&Help"), editFrame);
    helpCommand->setObjectName(QStringLiteral("HelpCommand"));
    buttons->addStretch(1);
    buttons->addWidget(okCommand);
    buttons->addWidget(cancelCommand);
    buttons->addWidget(helpCommand);
    editLayout->addLayout(buttons);
    outer->addWidget(editFrame, 1);

    QWidget::setTabOrder(descriptionText, constantOption);
    QWidget::setTabOrder(constantOption, referenceOption);
    QWidget::setTabOrder(referenceOption, outputCheck);
    QWidget::setTabOrder(outputCheck, selector);
    QWidget::setTabOrder(selector, okCommand);
    QWidget::setTabOrder(okCommand, cancelCommand);
    QWidget::setTabOrder(cancelCommand, helpCommand);

    QObject::connect(descriptionText, &QLineEdit::textEdited, q,
                     [this](const QString& text) { session.setDescription(text); });
    QObject::connect(constantOption, &QRadioButton::clicked, q,
                     [this] { session.chooseReference(false); });
    QObject::connect(referenceOption, &QRadioButton::clicked, q,
                     [this] { session.chooseReference(true); });
    QObject::connect(selector, &SymbolSelector::Change, q,
                     [this](const QString& table, const QString& symbol, const QString& error) {
                         session.selectorChanged(table, symbol, error);
                     });
    QObject::connect(okCommand, &QPushButton::clicked, q, [this] { session.pressOk(); });
    QObject::connect(cancelCommand, &QPushButton::clicked, q, [this] { session.pressCancel(); });
    QObject::connect(helpCommand, &QPushButton::clicked, q, [q] {
        Velt::PlatformServices::instance().showHelp(QStringLiteral("dataeditor"), q);
    });
}

void DataEditor::Private::refreshStatusLine(DataEditor* q)
{
    const DataEditorRules::StatusLine line =
        DataEditorRules::statusLine(session.errorMessage(), session.statusMessage(),
                                    session.readOnly(), session.kind(), session.parameterName());
    statusLabel->setText(line.text);
    statusLabel->setToolTip(line.text);
    QPalette palette = statusLabel->palette();
    if (line.isError) {
        palette.setColor(QPalette::Window, Velt::PaletteColors::tooltipBackground(q));
        palette.setColor(QPalette::WindowText, Velt::PaletteColors::tooltipText(q));
    } else {
        palette.setColor(QPalette::Window, Velt::PaletteColors::menuBackground(q));
        palette.setColor(QPalette::WindowText, Velt::PaletteColors::windowText(q));
    }
    statusLabel->setPalette(palette);
    extender->setErrorMessage(session.errorMessage());
}

void DataEditor::Private::refreshEnabledStates()
{
    const bool readOnly = session.readOnly();
    descriptionText->setReadOnly(readOnly || !session.designTime());
    outputCheck->setEnabled(!readOnly && session.outputDefinition());
    selector->setEnabled(!readOnly);
}

void DataEditor::Private::ensureLaidOut(DataEditor* q) const
{
    // A hidden control is laid out only on request: the edit area is read before showing.
    for (QWidget* w : {static_cast<QWidget*>(q), titleHolder, editFrame}) {
        if (QLayout* layout = w->layout())
            layout->activate();
    }
}

int DataEditor::Private::upperFrameHeight(const DataEditor* q) const
{
    return twips(titleFrame->sizeHint().height(), q, Qt::Vertical);
}

// ---- the session's view --------------------------------------------------------------------

void DataEditorView::letPendingMessagesRun() { QCoreApplication::processEvents(); }

void DataEditorView::showParameterOptions(bool shown, bool choiceEnabled)
{
    q->d->titleFrame->setVisible(shown);
    q->d->constantOption->setEnabled(choiceEnabled);
    q->d->referenceOption->setEnabled(choiceEnabled);
}

void DataEditorView::showReferenceChoice(bool reference)
{
    const QSignalBlocker blockConstant(q->d->constantOption);
    const QSignalBlocker blockReference(q->d->referenceOption);
    (reference ? q->d->referenceOption : q->d->constantOption)->setChecked(true);
    q->d->selector->setVisible(reference);
}

void DataEditorView::setSelector(const QString& table, const QString& symbol,
                                 const QString& dataClass)
{
    // The selector offers the public tables only: a reference stores a table name that the
    // core's table registry resolves, and an action's locals block is not registered there.
    SymbolSelector* selector = q->d->selector;
    const QSignalBlocker quiet(selector); // choices made here are not the user's
    selector->setFilter(dataClass);
    selector->Refresh();
    selector->setTableName(table);
    selector->setSymbolName(symbol);
}

QString DataEditorView::selectorTable() const { return q->d->selector->TableName(); }
QString DataEditorView::selectorSymbol() const { return q->d->selector->SymbolName(); }
bool DataEditorView::outputChecked() const { return q->d->outputCheck->isChecked(); }
void DataEditorView::setOutputChecked(bool checked) { q->d->outputCheck->setChecked(checked); }

void DataEditorView::textsChanged()
{
    DataEditor::Private& d = *q->d;
    d.parameterFrame->setTitle(DataEditorRules::parameterFrameCaption(d.session.kind()));
    if (d.session.parameterName() != DataEditorRules::defaultParameterName())
        d.titleFrame->setTitle(QString()); // the designed caption goes once a name is set
    if (d.descriptionText->text() != d.session.description())
        d.descriptionText->setText(d.session.description());
    d.refreshEnabledStates();
    d.refreshStatusLine(q);
    announce(d.announcedName, d.session.parameterName(), &DataEditor::ParameterNameChanged);
    announce(d.announcedDescription, d.session.description(), &DataEditor::DescriptionChanged);
    announce(d.announcedError, d.session.errorMessage(), &DataEditor::ErrorMessageChanged);
    announce(d.announcedStatus, d.session.statusMessage(), &DataEditor::StatusMessageChanged);
}

void DataEditorView::announce(QString& announced, const QString& current,
                              void (DataEditor::*changed)(const QString&))
{
    if (announced == current)
        return;
    announced = current;
    Q_EMIT(q->*changed)(current);
}

void DataEditorView::layoutChanged()
{
    if (QLayout* layout = q->layout()) {
        layout->invalidate();
        layout->activate();
    }
    q->updateGeometry();
}

// ---- DataEditor ------------------------------------------------------------------------------

DataEditor::DataEditor(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(this))
{
    setObjectName(QStringLiteral("DataEditor"));
    d->buildChildren(this);
    d->facet = new DataEditorFacet(this);
    d->minimumWidth = DesignedTitleWidth;
    d->view.textsChanged();
}

// An edit still open is dropped without events: the type editor is going away too.
DataEditor::~DataEditor() = default;

QString DataEditor::ParameterName() const { return d->session.parameterName(); }

void DataEditor::setParameterName(const QString& name)
{
    if (!d->session.setParameterName(name))
        return;
    d->titleFrame->setTitle(QString());
    d->view.textsChanged();
}

QString DataEditor::DataType() const { return d->extender->DataType(); }
void DataEditor::setDataType(const QString& dataType) { d->extender->setDataType(dataType); }
QString DataEditor::DataClass() const { return d->extender->DataClass(); }
void DataEditor::setDataClass(const QString& dataClass) { d->extender->setDataClass(dataClass); }
QString DataEditor::Description() const { return d->session.description(); }

void DataEditor::setDescription(const QString& description)
{
    d->session.setDescription(description);
    d->view.textsChanged();
}

QVariant DataEditor::DataBitmap() const { return d->extender->DataBitmap(); }
void DataEditor::setDataBitmap(const QVariant& picture) { d->extender->setDataBitmap(picture); }
QString DataEditor::ErrorMessage() const { return d->session.errorMessage(); }
void DataEditor::setErrorMessage(const QString& message) { d->session.setErrorMessage(message); }
QString DataEditor::StatusMessage() const { return d->session.statusMessage(); }
void DataEditor::setStatusMessage(const QString& message) { d->session.setStatusMessage(message); }
bool DataEditor::DesignTime() const { return d->session.designTime(); }
bool DataEditor::OutputDefinition() const { return d->session.outputDefinition(); }
bool DataEditor::ReadOnly() const { return d->session.readOnly(); }
QObject* DataEditor::EditAreaObject() { return this; }
int DataEditor::ReserveHeight() const { return d->reserveHeight; }
void DataEditor::setReserveHeight(int value) { d->reserveHeight = value; }
int DataEditor::ReserveWidth() const { return d->reserveWidth; }
void DataEditor::setReserveWidth(int value) { d->reserveWidth = value; }
int DataEditor::DataHandle() const { return d->session.dataHandle(); }
int DataEditor::LocalsHandle() const { return d->session.localsHandle(); }
QObject* DataEditor::GetExtender() const { return d->extender; }

QString DataEditor::ConvertLpcstrToString(const QByteArray& lpszString) const
{
    return quen::toQString(lpszString.constData());
}

QString DataEditor::ConvertLpcstrToString(const char* lpszString)
{
    return quen::toQString(lpszString);
}

int32_t DataEditor::Top() const
{
    d->ensureLaidOut(const_cast<DataEditor*>(this));
    return twips(d->extender->geometry().top(), this, Qt::Vertical);
}

int32_t DataEditor::Left() const
{
    d->ensureLaidOut(const_cast<DataEditor*>(this));
    return twips(d->extender->geometry().left(), this);
}

int32_t DataEditor::Height() const
{
    d->ensureLaidOut(const_cast<DataEditor*>(this));
    return twips(d->extender->geometry().height(), this, Qt::Vertical);
}

int32_t DataEditor::Width() const
{
    d->ensureLaidOut(const_cast<DataEditor*>(this));
    return twips(d->extender->geometry().width(), this);
}

XCDialogDataEditing* DataEditor::dialogEditing() const { return d->facet; }
QObject* DataEditor::dialogEditingObject() const { return d->facet; }
XCDataEditorExtender* DataEditor::extender() const { return d->extender; }
Velt::DataEditSession& DataEditor::session() const { return d->session; }

void DataEditor::setEditWidget(QWidget* panel) { d->extender->setEditWidget(panel); }

QRect DataEditor::editAreaRect() const
{
    d->ensureLaidOut(const_cast<DataEditor*>(this));
    return QRect(d->extender->mapTo(this, QPoint(0, 0)), d->extender->size());
}

QVariantMap DataEditor::saveProperties() const
{
    return {{QStringLiteral("ReserveHeight"), d->reserveHeight},
            {QStringLiteral("ReserveWidth"), d->reserveWidth},
            {QStringLiteral("XCDataEditorExtender"), d->extender->saveProperties()}};
}

void DataEditor::loadProperties(const QVariantMap& properties)
{
    d->reserveHeight = properties.value(QStringLiteral("ReserveHeight"), 2395).toInt();
    d->reserveWidth = properties.value(QStringLiteral("ReserveWidth"), 4495).toInt();
    d->extender->loadProperties(properties.value(QStringLiteral("XCDataEditorExtender")).toMap());
}

QSize DataEditor::sizeHint() const
{
    const Velt::CallFailureScope scope;
    int32_t height = 0;
    int32_t width = 0;
    d->facet->GetRecommendedSize(height, width);
    if (scope.failed())
        return QWidget::sizeHint();
    return QSize(px(width, this), px(height, this, Qt::Vertical));
}

void DataEditor::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        d->refreshStatusLine(this);
}
