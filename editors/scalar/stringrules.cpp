#include "stringrules.h"

#include "numericconversion.h"

#include <QCoreApplication>

namespace Velt::StringRules {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("StringEditor", text); }

struct Base
{
    int radix = 0;     // 0 for the character view
    int width = 0;     // digits shown per code
    QLatin1StringView prefix; // read back as "&o"/"&h" text
    const char* rangeMessage = nullptr;
};

Base baseOf(const QString& view)
{
    if (view == Octal)
        return {8, 3, QLatin1StringView("&o"), "Error: Invalid numeric range for ASCII character '%1'"};
    if (view == Hexadecimal)
        return {16, 2, QLatin1StringView("&h"), "Error: Invalid numeric range for ascii character '%1'"};
    return {};
}

bool isDigitOf(QChar c, int radix)
{
    const char16_t u = c.unicode();
    const int digit = u >= u'0' && u <= u'9'   ? u - u'0'
                      : u >= u'a' && u <= u'f' ? u - u'a' + 10
                      : u >= u'A' && u <= u'F' ? u - u'A' + 10
                                               : -1;
    return digit >= 0 && digit < radix;
}

} // namespace

QStringList viewNames() { return {Characters, Octal, Hexadecimal}; }

QString render(const QString& text, const QString& view)
{
    const Base base = baseOf(view);
    if (!base.radix)
        return text;
    QStringList codes;
    for (const char byte : text.toUtf8()) {
        codes << NumericConversion::formatInt32Digits(static_cast<unsigned char>(byte), base.radix)
                     .rightJustified(base.width, u'0');
    }
    return codes.join(u' ');
}

Parsed<QString> readBack(const QString& shown, const QString& view)
{
    const Base base = baseOf(view);
    if (!base.radix)
        return {shown, {}};
    const QString text = shown.trimmed();
    for (const QChar c : text) {
        if (c != u' ' && !isDigitOf(c, base.radix))
            return {{}, tr("Error: Invalid character found '%1'").arg(c)};
    }
    QByteArray bytes;
    for (const QString& group : text.split(u' ', Qt::SkipEmptyParts)) {
        const Int32Result code = NumericConversion::toInt32(QString(base.prefix + group));
        if (!code.ok() || code.value < 1 || code.value > 255)
            return {{}, tr(base.rangeMessage).arg(group)};
        bytes += char(code.value);
    }
    return {QString::fromUtf8(bytes), {}};
}

QStringList operationNames() { return {OperationNone, OperationEvaluate, OperationScan}; }
bool isOperation(const QString& name) { return operationNames().contains(name); }
QString unknownOperationMessage() { return tr("Unknown Format Operation"); }

QStringList lockNames() { return {Changeable, Locked}; }

EditState stateFor(const QString& operation, bool locked)
{
    if (operation == OperationNone)
        return ValueEditState;
    return locked ? FormatLockState : PatternEditState;
}

QString beginCaption(const QString& operation)
{
    if (operation == OperationEvaluate)
        return tr("Formatted String Value");
    if (operation == OperationScan)
        return tr("Current Scanned String Value");
    return tr("&Enter String Value");
}

QString changeCaption(const QString& operation)
{
    return operation == OperationScan ? tr("Example Scannable String Value") : beginCaption(operation);
}

ControlStates controlsFor(EditState state, bool designTime)
{
    switch (state) {
    case PatternEditState: return {false, true, true, true, true, false, true};
    case FormatLockState: return {false, false, false, false, designTime, false, false};
    case ValueEditState: break;
    }
    return {};
}

QString viewStatus(const QString& value, const QString& view)
{
    if (!baseOf(view).radix)
        return {};
    return view + tr(" view of ") + u'"' + value + u'"';
}

QStringList specialCharacterNames()
{
    return {tr("Line Feed"), tr("Carriage Return"), tr("Tab"), tr("Percent Sign (\\%)"),
            tr("Backslash (\\\\)")};
}

QString specialCharacter(int entry)
{
    switch (entry) {
    case 0: return QStringLiteral("\n");
    case 1: return QStringLiteral("\r");
    case 2: return QStringLiteral("\t");
    case 3: return QStringLiteral("\\%");
    case 4: return QStringLiteral("\\\\");
    default: return QStringLiteral("???");
    }
}

QString characterInsertStatus() { return tr("Click 'Insert' to add character to format."); }
QString symbolInsertStatus() { return tr("Click 'Insert' to add symbol to format string."); }
QString missingPatternMessage() { return tr("Format Pattern Missing"); }
QString unknownTokenMessage() { return tr("Unknown Token type in format."); }

} // namespace Velt::StringRules
