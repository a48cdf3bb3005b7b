#include "countingdataeditorsite.h"

CountingDataEditorSite::CountingDataEditorSite(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("CountingDataEditorSite"));
}

void CountingDataEditorSite::AcceptEdit()
{
    ++m_accepts;
    Q_EMIT counted();
}

void CountingDataEditorSite::CancelEdit()
{
    ++m_cancels;
    Q_EMIT counted();
}

void CountingDataEditorSite::Reset()
{
    m_accepts = m_cancels = 0;
    Q_EMIT counted();
}
