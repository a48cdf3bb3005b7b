// XCDataEditorExtender: the small control inside a DataEditor that carries the data class, the
// display name and the picture of the type editor's class, shows that picture and, while
// ErrorMessage is not empty, the error picture, and marks the edit area: the DataEditor keeps it
// over the rectangle in which the type editor lays out its controls (DataEditor::setEditWidget
// puts a panel inside it).
//
// Pictures are QIcon, QPixmap or QImage values. Changes of the pictures are announced by
// propertyChanged("DataBitMap") and propertyChanged("ErrorBitmap").
#pragma once

#include "velt_export.h"

#include <QVariant>
#include <QVariantMap>
#include <QWidget>

#include <memory>

class VELT_EXPORT XCDataEditorExtender : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString DataType READ DataType WRITE setDataType)
    Q_PROPERTY(QString DataClass READ DataClass WRITE setDataClass)
    Q_PROPERTY(QString ErrorMessage READ ErrorMessage WRITE setErrorMessage NOTIFY ErrorMessageChanged)
    Q_PROPERTY(QVariant DataBitmap READ DataBitmap WRITE setDataBitmap)
    Q_PROPERTY(QVariant ErrorBitmap READ ErrorBitmap WRITE setErrorBitmap)

public:
    explicit XCDataEditorExtender(QWidget* parent = nullptr);
    ~XCDataEditorExtender() override;

    // Defaults "Integer (32 bit)" and "CQuenInt32"; a type editor sets its own.
    QString DataType() const;
    void setDataType(const QString& dataType);
    QString DataClass() const;
    void setDataClass(const QString& dataClass);
    QString ErrorMessage() const;
    void setErrorMessage(const QString& message);
    // No picture by default; the error picture defaults to the library's "Error" picture.
    QVariant DataBitmap() const;
    void setDataBitmap(const QVariant& picture);
    QVariant ErrorBitmap() const;
    void setErrorBitmap(const QVariant& picture);

    // The panel of the type editor shown in the edit area (owned by the extender once set;
    // setting another deletes nothing: the previous panel is handed back to the caller).
    QWidget* editWidget() const;
    QWidget* setEditWidget(QWidget* panel);

    // Persistence keyed by property name; missing keys take their defaults.
    Q_INVOKABLE QVariantMap saveProperties() const;
    Q_INVOKABLE void loadProperties(const QVariantMap& properties);

Q_SIGNALS:
    void propertyChanged(const QString& name);
    void ErrorMessageChanged(const QString& ErrorMessage);

protected:
    void changeEvent(QEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> const d;
};
