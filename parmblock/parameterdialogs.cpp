#include "parameterdialogs.h"

#include "componentmacros.h"
#include "dataeditorform.h"

#include "quen/quencore.h"

#include <QGuiApplication>
#include <QScreen>

VELT_REGISTER_CLASS(ParameterDialogs, InvisibleControl, "", "")

namespace {
int openCount = 0;
}

ParameterDialogs::ParameterDialogs(QWidget* parent) : QWidget(parent)
{
    setFixedSize(0, 0);
    hide();
}

ParameterDialogs::~ParameterDialogs() = default;

int ParameterDialogs::openDialogs() { return openCount; }

bool ParameterDialogs::EditActionDefinitionParameterDialog(int ParameterHandle, bool ReadOnly)
{
    if (!ParameterHandle || openCount > 0)
        return false;
    const QuenHandle owner = QuenParmGetOwner(QuenHandle(ParameterHandle));
    QuenExcRegClearError(0);
    DataEditorForm* form = DataEditorForm::instance();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize area = screen->size();
        form->move((area.width() - form->width()) / 2, (area.height() - form->height()) / 2);
    }
    form->SetUpEditor(ParameterHandle, 0, int32_t(owner), true, true, ReadOnly, false);
    ++openCount;
    if (form->dataEditor())
        form->exec();
    --openCount;
    int32_t handle = ParameterHandle;
    int32_t defaultHandle = 0;
    return form->CleanupEditor(handle, defaultHandle);
}
