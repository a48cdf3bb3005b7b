// Test-only type editors: each serves one data class with a "DataEditor" host carrying the
// class, a display name and a picture, publishes GetDirect, GetRuntime and GetEditor, and
// records the runtime calls it receives.
#pragma once

#include "componentregistry.h"
#include "xcruntimedataevaluation.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QVariant>
#include <QWidget>

class FakeHost : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString DataClass MEMBER m_dataClass)
    Q_PROPERTY(QString DataType MEMBER m_dataType)
    Q_PROPERTY(QVariant DataBitmap MEMBER m_dataBitmap)

public:
    FakeHost(const QString& dataClass, QObject* parent);

private:
    QString m_dataClass;
    QString m_dataType;
    QVariant m_dataBitmap;
};

struct FakeCall
{
    QString member;
    int data = 0;
    int block = 0;
    bool operator==(const FakeCall&) const = default;
};

class FakeTypeEditor : public QWidget, public XCRuntimeDataEvaluation
{
    Q_OBJECT
    Q_INTERFACES(XCRuntimeDataEvaluation)

public:
    struct Options
    {
        QString hostClass;     // the DataClass its host reports
        bool hasRuntime = false;
        bool hasHost = true;
    };

    FakeTypeEditor(const Options& options, QWidget* parent);
    ~FakeTypeEditor() override;

    Q_INVOKABLE QObject* GetDirect() { return this; }
    Q_INVOKABLE QObject* GetRuntime() { return m_options.hasRuntime ? this : nullptr; }
    Q_INVOKABLE QObject* GetEditor() { return m_host; }

    bool Bind(int32_t DataHandle, int32_t ParmBlockHandle) override;
    bool Evaluate(int32_t DataHandle, int32_t ParmBlockHandle) override;
    bool Scan(int32_t DataHandle, int32_t ParmBlockHandle) override;
    bool Unbind(int32_t DataHandle, int32_t ParmBlockHandle) override;

    // Every call any fake received, in order; the number of fakes alive and ever created per
    // class identifier.
    static QList<FakeCall>& calls();
    static QHash<QString, int>& created();
    static bool& failing(); // when set, every runtime member fails

private:
    bool record(const char* member, int32_t data, int32_t block);
    Options m_options;
    QObject* m_host = nullptr;
};

// Registers a fake under a class identifier; its host reports hostClass.
void registerFake(const QString& classId, const QString& hostClass, bool hasRuntime = false,
                  bool hasHost = true);

// Hides the classes the real library registered under the given identifiers for the lifetime
// of the guard, so that a test sees only its fakes, and puts them back afterwards.
class ComponentShelter
{
public:
    explicit ComponentShelter(const QStringList& classIds);
    ~ComponentShelter();
    // Removes every class registered under the identifiers (fakes included).
    void clear();

private:
    QStringList m_ids;
    QList<Velt::ComponentRegistry::ClassInfo> m_saved;
};
