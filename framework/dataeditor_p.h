// Private parts of the DataEditor: its children, the view the edit session drives, and the
// XCDialogDataEditing facet handed to hosts.
#pragma once

#include "dataeditor.h"
#include "dataeditsession.h"
#include "xcdialogdataediting.h"
#include "xcdialogdataeditorsite.h"

#include <QPointer>
#include <QVariantMap>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SymbolSelector;

// The session's view: raises the DataEditor's events and updates its children.
class DataEditorView final : public Velt::DataEditSession::View
{
public:
    explicit DataEditorView(DataEditor* editor) : q(editor) { }
    void raiseBeginEdit(int32_t dataHandle) override { Q_EMIT q->BeginEdit(dataHandle); }
    void raiseShowEdit(int32_t dataHandle) override { Q_EMIT q->ShowEdit(dataHandle); }
    void raiseHideEdit(int32_t dataHandle) override { Q_EMIT q->HideEdit(dataHandle); }
    void raiseAcceptEdit(int32_t dataHandle) override { Q_EMIT q->AcceptEdit(dataHandle); }
    void raiseCancelEdit() override { Q_EMIT q->CancelEdit(); }
    void letPendingMessagesRun() override;
    void showParameterOptions(bool shown, bool choiceEnabled) override;
    void showReferenceChoice(bool reference) override;
    void setSelector(const QString& table, const QString& symbol, const QString& dataClass) override;
    QString selectorTable() const override;
    QString selectorSymbol() const override;
    bool outputChecked() const override;
    void setOutputChecked(bool checked) override;
    void textsChanged() override;
    void layoutChanged() override;
    QString dataClass() const override { return q->DataClass(); }

private:
    void announce(QString& announced, const QString& current,
                  void (DataEditor::*changed)(const QString&));

    DataEditor* const q;
};

// A site given late-bound as a plain QObject: AcceptEdit/CancelEdit/hWnd called by name.
class LateBoundSite final : public XCDialogDataEditorSite
{
public:
    explicit LateBoundSite(QObject* object) : m_object(object) { }
    void AcceptEdit() override;
    void CancelEdit() override;
    int32_t hWnd() override;

private:
    QPointer<QObject> m_object;
};

class DataEditorFacet : public QObject, public XCDialogDataEditing
{
    Q_OBJECT
    Q_INTERFACES(XCDialogDataEditing)

public:
    explicit DataEditorFacet(DataEditor* editor);
    ~DataEditorFacet() override;

    void GetRecommendedSize(int32_t& Height, int32_t& Width) override;
    void EditData(XCDialogDataEditorSite* EditorSite, int32_t DataHandle,
                  int32_t DefaultDataHandle, bool DesignTime, bool ReadOnly) override;
    void EditParameter(XCDialogDataEditorSite* EditorSite, int32_t ParameterHandle,
                       int32_t DefaultParameterHandle, int32_t LocalsParmBlockHandle,
                       bool DesignTime, bool OutputDefinition, bool ReadOnly) override;
    void EditSymbol(XCDialogDataEditorSite* EditorSite, int32_t SymbolHandle, bool DesignTime,
                    bool ReadOnly) override;
    Q_INVOKABLE void AcceptEdit() override;
    Q_INVOKABLE void CancelEdit() override;
    Q_INVOKABLE void Refresh() override;

    // Late-bound twins: sites as QObject*; GetRecommendedSize gives {Height, Width, result}.
    Q_INVOKABLE QVariantMap GetRecommendedSize();
    Q_INVOKABLE void EditData(QObject* EditorSite, int DataHandle, int DefaultDataHandle,
                              bool DesignTime, bool ReadOnly);
    Q_INVOKABLE void EditParameter(QObject* EditorSite, int ParameterHandle,
                                   int DefaultParameterHandle, int LocalsParmBlockHandle,
                                   bool DesignTime, bool OutputDefinition, bool ReadOnly);
    Q_INVOKABLE void EditSymbol(QObject* EditorSite, int SymbolHandle, bool DesignTime,
                                bool ReadOnly);

private:
    // The site to call, and the QObject to watch, for a site given as a QObject.
    XCDialogDataEditorSite* siteFor(QObject* object);
    QObject* objectOf(XCDialogDataEditorSite* site) const;
    DataEditor* const q;
    std::unique_ptr<LateBoundSite> m_lateSite;
    std::unique_ptr<LateBoundSite> m_previousLateSite;
};

struct DataEditor::Private
{
    explicit Private(DataEditor* q) : view(q), session(view) { }

    DataEditorView view;
    Velt::DataEditSession session;
    DataEditorFacet* facet = nullptr;

    QWidget* titleHolder = nullptr;
    QGroupBox* titleFrame = nullptr;
    QGroupBox* parameterFrame = nullptr;
    QLineEdit* descriptionText = nullptr;
    QRadioButton* constantOption = nullptr;
    QRadioButton* referenceOption = nullptr;
    QCheckBox* outputCheck = nullptr;
    SymbolSelector* selector = nullptr;
    QWidget* editFrame = nullptr;
    XCDataEditorExtender* extender = nullptr;
    QLabel* statusLabel = nullptr;
    QPushButton* okCommand = nullptr;
    QPushButton* cancelCommand = nullptr;
    QPushButton* helpCommand = nullptr;

    int reserveHeight = 2395;
    int reserveWidth = 4495;
    int minimumWidth = 0; // twips
    // The texts last announced by the change signals, so each signal fires once per change.
    QString announcedName, announcedDescription, announcedError, announcedStatus;

    void buildChildren(DataEditor* q);
    void refreshStatusLine(DataEditor* q);
    void refreshEnabledStates();
    int upperFrameHeight(const DataEditor* q) const;
    void ensureLaidOut(DataEditor* q) const;
};
