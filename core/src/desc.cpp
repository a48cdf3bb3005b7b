// Descriptions: a text and a list of keywords, owned by a parameter or a block, or standing
// alone while the caller that created one holds it. Keywords are kept trimmed, in the order
// added, without duplicates (compared without regard to case).
#include "data_p.h"

#include <QString>

namespace quen {
namespace {

bool hasKeyword(const Desc& desc, const QString& keyword)
{
    for (const std::string& k : desc.keywords) {
        if (QString::fromStdString(k).compare(keyword, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Adds keyword unless it is blank or already there; tells whether it was added.
bool addKeyword(Desc& desc, const std::string& keyword)
{
    const QString trimmed = QString::fromStdString(keyword).trimmed();
    if (trimmed.isEmpty() || hasKeyword(desc, trimmed))
        return false;
    desc.keywords.push_back(trimmed.toStdString());
    return true;
}

} // namespace
} // namespace quen

using namespace quen;

extern "C" {

QuenHandle QuenDescCreate(const char* text) { return newDesc(textArg(text)); }

QuenBool QuenDescRelease(QuenHandle desc)
{
    const Desc* d = resolveAs<Desc>(desc, __func__);
    if (!d)
        return QUEN_FALSE;
    if (d->owner) {
        const Object* owner = Store::instance().find(d->owner);
        raise(QUEN_ERR_INVALID_ARGUMENT, __func__,
              "description " + std::to_string(desc) + " belongs to "
                      + (owner ? kindName(owner->kind) : "another object") + " ("
                      + std::to_string(d->owner) + "); its owner releases it");
        return QUEN_FALSE;
    }
    destroyDesc(desc);
    return QUEN_TRUE;
}

const char* QuenDescGetText(QuenHandle desc)
{
    const Desc* d = resolveAs<Desc>(desc, __func__);
    return d ? d->text.c_str() : "";
}

QuenBool QuenDescSetText(QuenHandle desc, const char* text)
{
    Desc* d = resolveAs<Desc>(desc, __func__);
    if (!d)
        return QUEN_FALSE;
    d->text = textArg(text);
    Store::instance().touch(desc);
    return QUEN_TRUE;
}

int32_t QuenDescGetKeywordCount(QuenHandle desc)
{
    const Desc* d = resolveAs<Desc>(desc, __func__);
    return d ? int32_t(d->keywords.size()) : 0;
}

const char* QuenDescGetKeywordAt(QuenHandle desc, int32_t position)
{
    const Desc* d = resolveAs<Desc>(desc, __func__);
    if (!d)
        return "";
    if (position < 1 || std::size_t(position) > d->keywords.size()) {
        raise(QUEN_ERR_OUT_OF_RANGE, __func__,
              "position " + std::to_string(position) + " is outside 1 to "
                      + std::to_string(d->keywords.size()));
        return "";
    }
    return d->keywords[std::size_t(position) - 1].c_str();
}

QuenBool QuenDescAddKeyword(QuenHandle desc, const char* keyword)
{
    Desc* d = resolveAs<Desc>(desc, __func__);
    if (!d)
        return QUEN_FALSE;
    const std::string text = textArg(keyword);
    if (QString::fromStdString(text).trimmed().isEmpty()) {
        raise(QUEN_ERR_INVALID_ARGUMENT, __func__, "a keyword must not be blank");
        return QUEN_FALSE;
    }
    if (addKeyword(*d, text))
        Store::instance().touch(desc);
    return QUEN_TRUE;
}

QuenBool QuenDescMergeKeywords(QuenHandle desc, QuenHandle from)
{
    Desc* d = resolveAs<Desc>(desc, __func__);
    const Desc* source = d ? resolveAs<Desc>(from, __func__) : nullptr;
    if (!source)
        return QUEN_FALSE;
    if (source == d)
        return QUEN_TRUE;
    bool changed = false;
    for (const std::string& keyword : source->keywords)
        changed = addKeyword(*d, keyword) || changed;
    if (changed)
        Store::instance().touch(desc);
    return QUEN_TRUE;
}

} // extern "C"
