// QuenBindings: the core's C API as seen from scripts. One entry per function of
// quen/quenapi.def, derived from that list (nothing here repeats a signature). Scripts reach it
// as the global `Quen`, whose functions forward to call(); the QObject is owned by the host.
#pragma once

#include <QJSValue>
#include <QObject>
#include <QStringList>

#include <memory>

class QJSEngine;

namespace VeltScript {

class QuenBindings : public QObject
{
    Q_OBJECT
public:
    explicit QuenBindings(QJSEngine* engine, QObject* parent = nullptr);
    ~QuenBindings() override;

    // Function names in the order of quenapi.def.
    Q_INVOKABLE QStringList names() const;
    // The script-side signature of a function: "QuenRangeGetValues(data)".
    Q_INVOKABLE QString signature(int index) const;
    // Calls function `index` with the script's arguments (a JS array). Returns the converted
    // result, or an object holding the out-arguments by name and `result`. A wrong argument
    // count or type throws a TypeError (a RangeError for a number that does not fit).
    Q_INVOKABLE QJSValue call(int index, const QJSValue& args);

    // Builds the `Quen` global object: one plain JS function per core function.
    QJSValue createGlobal();

private:
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace VeltScript
