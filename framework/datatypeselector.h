// DataTypeSelector: a drop-down of the data types that have a dialog editor in the registry,
// shown by display name ("Integer (32 bit)") and answered by core class ("CQuenInt32"). The
// parameter block editor uses it to pick the type of a new parameter. It can also create and
// release a data item of the chosen class.
//
// Two lists hold the same entries, one in registry order and one sorted by name; Sorted picks
// the one in use. In the sorted list a typed character cycles through the entries beginning
// with it. Change(NewClass) reports a selection made with the mouse or the keys; setting
// DataClass or rebuilding the lists raises nothing. Key events come in two forms, as with the
// symbol selector: pointers for C++ handlers, then argument objects for late-bound ones.
//
// The entries are read from the data editor registry on first use (show, a member call) and
// on Refresh. The control owns nothing of the core: CreateDataHandle hands its item to the
// caller.
#pragma once

#include "velt_export.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <QWidget>

#include <memory>

namespace Velt {
class KeyArguments;
class KeyAsciiArguments;
}

class VELT_EXPORT DataTypeSelector : public QWidget
{
    Q_OBJECT
    Q_MOC_INCLUDE("keyarguments.h")
    Q_MOC_INCLUDE("keyasciiarguments.h")
    Q_PROPERTY(QString DataClass READ DataClass WRITE setDataClass)
    Q_PROPERTY(QString DataType READ DataType)
    Q_PROPERTY(QVariant Bitmap READ Bitmap)
    Q_PROPERTY(bool Sorted READ Sorted WRITE setSorted NOTIFY sortedChanged)

public:
    explicit DataTypeSelector(QWidget* parent = nullptr);
    ~DataTypeSelector() override;

    // The selected entry's class; "" when nothing is selected. Setting an unknown class
    // changes nothing.
    QString DataClass() const;
    void setDataClass(const QString& dataClass);
    QString DataType() const;
    QVariant Bitmap() const; // the selected type's picture, invalid when none
    bool Sorted() const;
    void setSorted(bool sorted);

    Q_INVOKABLE void SetToDataHandle(int DataHandle);
    // Selects the parameter's value class; for a reference without a value, its declared type.
    Q_INVOKABLE void SetToParameterHandle(int ParameterHandle);
    // A new data item of the class named by Name (a class or a display name; "" = the selected
    // class), owned by the caller; 0 when no registered editor matches.
    Q_INVOKABLE int CreateDataHandle(const QString& Name = QString());
    Q_INVOKABLE void ReleaseDataHandle(int DataHandle);
    Q_INVOKABLE void Refresh();
    Q_INVOKABLE QString ConvertLpcstrToString(const QByteArray& lpszString) const;

    // Persistence of Sorted under its name; a missing key gives the default (false).
    Q_INVOKABLE QVariantMap saveProperties() const;
    Q_INVOKABLE void loadProperties(const QVariantMap& properties);

    QSize sizeHint() const override;

Q_SIGNALS:
    // Published events, in this order.
    void KeyDown(int* KeyCode, int* Shift);
    void KeyPress(int* KeyAscii);
    void Change(const QString& NewClass);
    // Late-bound forms of the key events, raised right after the forms above.
    void KeyDown(Velt::KeyArguments* Arguments);
    void KeyPress(Velt::KeyAsciiArguments* Arguments);

    void sortedChanged(bool sorted);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> const d;
};
