// DataEditorRegistry: the process-wide map from a core data class ("CQuenInt32", ...) to the
// editors that serve it, and the image list of data class and field pictures.
//
// It is a hidden window (never shown) created on first use by instance(). Loading it sites one
// hidden instance of each built-in type editor on it, named after its data class, and runs the
// start-up registration, which fills three keyed collections in registration order: dialog
// editors (each type editor's "DataEditor" host), structured editors (the type editors as
// XCStructEditing) and type editor class identifiers. Type editors are found through the
// component registry by class identifier; one that is not (yet) registered there is skipped.
//
// Ownership: the registry owns the type editors it sites or creates, and with them the hosts
// and structured editors it hands out. unload() (or closing the window) releases everything;
// the next accessor loads it again. Lookups never fail and registration never reports errors.
#pragma once

#include "velt_export.h"

#include <QVariant>
#include <QWidget>

#include <memory>

class VELT_EXPORT DataEditorRegistry : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int ImageCount READ ImageCount)
    Q_PROPERTY(int DataEditorCount READ DataEditorCount)
    Q_PROPERTY(int StructuredDataEditorCount READ StructuredDataEditorCount)
    Q_PROPERTY(int DataEditorNameCount READ DataEditorNameCount)

public:
    // The shared registry, loaded on first use. Needs a QApplication.
    static DataEditorRegistry* instance();
    // Destroys the shared registry and everything it owns (tests, library teardown).
    static void unload();
    // True while the shared registry exists.
    static bool isLoaded();

    ~DataEditorRegistry() override;

    // Published members.
    Q_INVOKABLE void LoadDataEditors(const QString& IniFilename, const QString& SectionName);
    Q_INVOKABLE void RegisterDataEditors(const QString& IniFilename, const QString& SectionName,
                                         bool Site);
    // The position of the image under Key, after adding Key with Picture (a QIcon, QPixmap or
    // QImage; anything else adds the key without a picture) when it was absent; 0 when Key is
    // blank.
    Q_INVOKABLE int AddImageIfAbsent(const QString& Key, const QVariant& Picture);
    int ImageCount();
    // The picture (a QIcon) for a key or 1-based position; an invalid QVariant when none, or
    // when the key was added without a picture.
    Q_INVOKABLE QVariant ImageBitmap(const QVariant& Key);
    Q_INVOKABLE QString ImageBitmapName(int Index);
    int DataEditorCount();
    // False when another editor already holds the key (the first one stays); true otherwise,
    // including when nothing is done (empty class, null editor, same editor again).
    Q_INVOKABLE bool AddDataEditorIfAbsent(const QString& DataClass, QObject* Editor);
    Q_INVOKABLE QObject* DataEditor(const QVariant& Key);
    int StructuredDataEditorCount();
    Q_INVOKABLE bool AddStructuredDataEditorIfAbsent(const QString& DataClass, QObject* Editor);
    Q_INVOKABLE QObject* StructuredDataEditor(const QVariant& Key);
    int DataEditorNameCount();
    Q_INVOKABLE QString DataEditorName(const QVariant& Index);
    // Bind on the runtime side of the sited editor of the item's class. True when there is no
    // sited editor for the class; false when it has no runtime side or its Bind failed.
    Q_INVOKABLE bool Bind(int DataHandle, int ParmBlockHandle);

    // Library-internal members.
    // The position of the picture under Key; 0 when the key is absent or has no picture.
    int ImagePosition(const QString& Key);
    void RegisterEditor(const QString& ClassId, bool Site);
    void AddSitedEditor(const QString& ClassId, const QString& DataClass);
    bool AddEditorName(const QString& DataClass, const QString& ClassId);
    QWidget* FindSitedEditor(const QString& Name) const;
    QWidget* SiteEditor(const QString& DataClass, const QString& ClassId);

    // True while the three collections exist (between a load and a release).
    bool hasCollections() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    explicit DataEditorRegistry(QWidget* parent = nullptr);
    struct Private;
    std::unique_ptr<Private> const d;
};
