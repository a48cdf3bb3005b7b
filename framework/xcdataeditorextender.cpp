#include "xcdataeditorextender.h"

#include "builtinimages.h"
#include "componentmacros.h"

#include <QEvent>
#include <QGridLayout>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QStyle>

VELT_REGISTER_CLASS(XCDataEditorExtender, VisibleControl, "", "")

namespace {

QIcon toIcon(const QVariant& picture)
{
    if (picture.metaType() == QMetaType::fromType<QIcon>())
        return picture.value<QIcon>();
    if (picture.metaType() == QMetaType::fromType<QPixmap>())
        return QIcon(picture.value<QPixmap>());
    if (picture.metaType() == QMetaType::fromType<QImage>())
        return QIcon(QPixmap::fromImage(picture.value<QImage>()));
    return QIcon();
}

const QString DefaultDataType = QStringLiteral("Integer (32 bit)");
const QString DefaultDataClass = QStringLiteral("CQuenInt32");

} // namespace

struct XCDataEditorExtender::Private
{
    QString dataType = DefaultDataType;
    QString dataClass = DefaultDataClass;
    QString errorMessage;
    QVariant dataBitmap;
    QVariant errorBitmap;
    QLabel* dataImage = nullptr;
    QLabel* errorImage = nullptr;
    QGridLayout* layout = nullptr;
    QWidget* panel = nullptr;

    QVariant shownErrorBitmap() const
    {
        return errorBitmap.isValid() ? errorBitmap : QVariant(Velt::builtinImage(QStringLiteral("Error")));
    }

    void showPicture(QLabel* label, const QVariant& picture, const QWidget* owner)
    {
        const int extent = owner->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, owner);
        const QIcon icon = toIcon(picture);
        label->setFixedSize(extent, extent);
        label->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(QSize(extent, extent), owner->devicePixelRatioF()));
    }

    void refresh(const QWidget* owner)
    {
        showPicture(dataImage, dataBitmap, owner);
        dataImage->setVisible(!toIcon(dataBitmap).isNull());
        dataImage->setToolTip(dataType);
        showPicture(errorImage, shownErrorBitmap(), owner);
        errorImage->setVisible(!errorMessage.isEmpty());
        errorImage->setToolTip(errorMessage);
    }
};

XCDataEditorExtender::XCDataEditorExtender(QWidget* parent)
    : QWidget(parent), d(std::make_unique<Private>())
{
    setObjectName(QStringLiteral("XCDataEditorExtender"));
    d->dataImage = new QLabel(this);
    d->dataImage->setObjectName(QStringLiteral("DataImage"));
    d->errorImage = new QLabel(this);
    d->errorImage->setObjectName(QStringLiteral("ErrorImage"));
    // The panel fills the left column; the pictures stand in a narrow column on the right.
    d->layout = new QGridLayout(this);
    d->layout->setContentsMargins(0, 0, 0, 0);
    d->layout->addWidget(d->dataImage, 0, 1, Qt::AlignTop);
    d->layout->addWidget(d->errorImage, 1, 1, Qt::AlignTop);
    d->layout->setRowStretch(2, 1);
    d->layout->setColumnStretch(0, 1);
    d->refresh(this);
}

XCDataEditorExtender::~XCDataEditorExtender() = default;

QString XCDataEditorExtender::DataType() const { return d->dataType; }

void XCDataEditorExtender::setDataType(const QString& dataType)
{
    d->dataType = dataType;
    d->refresh(this);
}

QString XCDataEditorExtender::DataClass() const { return d->dataClass; }
void XCDataEditorExtender::setDataClass(const QString& dataClass) { d->dataClass = dataClass; }
QString XCDataEditorExtender::ErrorMessage() const { return d->errorMessage; }

void XCDataEditorExtender::setErrorMessage(const QString& message)
{
    if (d->errorMessage == message)
        return;
    d->errorMessage = message;
    d->refresh(this);
    Q_EMIT ErrorMessageChanged(message);
}

QVariant XCDataEditorExtender::DataBitmap() const { return d->dataBitmap; }

void XCDataEditorExtender::setDataBitmap(const QVariant& picture)
{
    d->dataBitmap = picture;
    d->refresh(this);
    Q_EMIT propertyChanged(QStringLiteral("DataBitMap"));
}

QVariant XCDataEditorExtender::ErrorBitmap() const { return d->shownErrorBitmap(); }

void XCDataEditorExtender::setErrorBitmap(const QVariant& picture)
{
    d->errorBitmap = picture;
    d->refresh(this);
    Q_EMIT propertyChanged(QStringLiteral("ErrorBitmap"));
}

QWidget* XCDataEditorExtender::editWidget() const { return d->panel; }

QWidget* XCDataEditorExtender::setEditWidget(QWidget* panel)
{
    QWidget* previous = d->panel;
    if (previous == panel)
        return nullptr;
    if (previous) {
        d->layout->removeWidget(previous);
        previous->setParent(nullptr);
    }
    d->panel = panel;
    if (panel)
        d->layout->addWidget(panel, 0, 0, 3, 1);
    return previous;
}

QVariantMap XCDataEditorExtender::saveProperties() const
{
    return {{QStringLiteral("DataType"), d->dataType},
            {QStringLiteral("DataClass"), d->dataClass},
            {QStringLiteral("ErrorMessage"), d->errorMessage},
            {QStringLiteral("DataBitmap"), d->dataBitmap},
            {QStringLiteral("ErrorBitmap"), d->errorBitmap}};
}

void XCDataEditorExtender::loadProperties(const QVariantMap& properties)
{
    d->dataType = properties.value(QStringLiteral("DataType"), DefaultDataType).toString();
    d->dataClass = properties.value(QStringLiteral("DataClass"), DefaultDataClass).toString();
    setErrorMessage(properties.value(QStringLiteral("ErrorMessage")).toString());
    setDataBitmap(properties.value(QStringLiteral("DataBitmap")));
    setErrorBitmap(properties.value(QStringLiteral("ErrorBitmap")));
}

void XCDataEditorExtender::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange)
        d->refresh(this);
}
