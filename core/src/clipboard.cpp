// The parameter clipboard: a whole block definition as JSON text under a format marker. The
// text goes to the host's clipboard hooks when they are installed (the library puts it on the
// system clipboard), else to a clipboard kept in this process.
#include "block_p.h"
#include "data_p.h"
#include "json_p.h"

#include <QJsonDocument>

#include <optional>

namespace quen {
namespace {

constexpr const char* kClipboardFormat = "VeltEditors.ParameterBlock";

struct Clipboard
{
    QuenClipboardPutHook put = nullptr;
    QuenClipboardGetHook get = nullptr;
    void* context = nullptr;
    std::optional<std::string> content; // the in-process clipboard
};

Clipboard& clipboard()
{
    static Clipboard c;
    return c;
}

// The clipboard's text, or nothing when it holds none.
std::optional<std::string> clipboardText()
{
    const Clipboard& c = clipboard();
    if (!c.get)
        return c.content;
    const char* text = c.get(c.context);
    return text ? std::optional<std::string>(text) : std::nullopt;
}

// The clipboard's document when it holds a parameter block; throws ReadError otherwise.
QJsonObject clipboardObject(const std::string& text)
{
    const QJsonObject object = json::parseObject(QByteArray::fromStdString(text));
    if (object.value(QLatin1String("format")).toString() != QLatin1String(kClipboardFormat))
        throw json::ReadError("format", std::string("the clipboard holds no parameter block (expected \"")
                                                + kClipboardFormat + "\")");
    const json::Place document;
    json::Fields fields(object, document);
    for (const char* key : { "format", "formatVersion", "block" })
        fields.get(key);
    fields.finish();
    json::checkFormatVersion(object);
    return object;
}

// The block on the clipboard: throws ReadError when the text is not a sound parameter block.
QuenHandle parseClipboard(const std::string& text)
{
    const QJsonObject object = clipboardObject(text);
    if (!object.contains(QLatin1String("block")))
        throw json::ReadError("block", "missing");
    const json::Place document;
    return json::readBlock(object.value(QLatin1String("block")), json::Place(document, "block"), "parameters",
                           { defaultArrayMaxSize() });
}

} // namespace
} // namespace quen

using namespace quen;

extern "C" {

void QuenSetClipboardHooks(QuenClipboardPutHook put, QuenClipboardGetHook get, void* context)
{
    // Both or neither: a put without a get would lose what was put.
    Clipboard& c = clipboard();
    const bool both = put && get;
    c.put = both ? put : nullptr;
    c.get = both ? get : nullptr;
    c.context = both ? context : nullptr;
}

QuenBool QuenPbDefCopyToClipboard(QuenHandle h)
{
    const auto* block = resolveAs<Block>(h, __func__);
    if (!block)
        return QUEN_FALSE;
    QJsonObject object;
    object.insert(QLatin1String("format"), QLatin1String(kClipboardFormat));
    object.insert(QLatin1String("formatVersion"), 1);
    object.insert(QLatin1String("block"), json::writeBlock(*block, "parameters", { defaultArrayMaxSize() }));
    std::string text = QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
    Clipboard& c = clipboard();
    if (c.put)
        c.put(text.c_str(), c.context);
    else
        c.content = std::move(text);
    return QUEN_TRUE;
}

QuenBool QuenPbDefIsAvailableOnClipboard()
{
    const std::optional<std::string> text = clipboardText();
    if (!text)
        return QUEN_FALSE;
    // Cheap test first: other texts on the system clipboard are common.
    if (text->find(kClipboardFormat) == std::string::npos)
        return QUEN_FALSE;
    try {
        clipboardObject(*text);
        return QUEN_TRUE;
    } catch (const json::ReadError&) {
        return QUEN_FALSE;
    }
}

QuenHandle QuenPbDefCreateFromClipboard()
{
    const std::optional<std::string> text = clipboardText();
    if (!text) {
        raise(QUEN_ERR_NOT_FOUND, __func__, "the clipboard is empty");
        return 0;
    }
    try {
        return parseClipboard(*text);
    } catch (const json::ReadError& error) {
        json::raiseReadError(__func__, "clipboard", error);
        return 0;
    }
}

} // extern "C"
