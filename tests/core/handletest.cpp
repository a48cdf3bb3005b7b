// Every function of quen/quenapi.def fails cleanly on the handles it must refuse (0, released, forged, of another
// kind, a data item of another class); handle values are never issued twice.
#include "columns.h"
#include "coretesting.h"

#include <QScopeGuard>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

using namespace VeltTest;

namespace {

// One parameter as the list spells it: the type names tell a handle from an int32_t.
struct Param { std::string_view type, name; };

// Any: a handle of whatever kind (a problem's object, a limits selector); KindCount: unknown.
enum Kind { Data, Parm, Block, Desc, Pills, Pill, Test, KindCount, Any };
struct KindOps { const char* name; QuenHandle (*create)(); void (*release)(QuenHandle); };
const KindOps kKinds[] = {
    { "data item", [] { return QuenInt32Create(1); }, [](QuenHandle h) { QuenDataRelease(h); } },
    { "parameter", [] { return QuenParmCreate("P", "CQuenInt32"); }, [](QuenHandle h) { QuenParmRelease(h); } },
    { "block", [] { return QuenPbDefCreate(); }, [](QuenHandle h) { QuenPbDefRelease(h); } },
    { "description", [] { return QuenDescCreate("d"); }, [](QuenHandle h) { QuenDescRelease(h); } },
    { "problem list", [] { return QuenPillsCreate(); }, [](QuenHandle h) { QuenPillsRelease(h); } },
    { "problem", [] { return QuenPillCreate(2, "p", 0, "1"); }, [](QuenHandle h) { QuenPillRelease(h); } },
    { "test", [] { return QuenTestCreate("T"); }, [](QuenHandle h) { QuenTestRelease(h); } },
};

// The kind of object a handle parameter names, by its name in the list; KindCount: not known yet.
Kind kindOf(std::string_view name)
{
    static const std::pair<std::string_view, Kind> kinds[] = {
        { "data", Data }, { "value", Data }, { "parm", Parm }, { "block", Block },
        { "table", Block }, { "desc", Desc }, { "from", Desc }, { "pills", Pills }, { "pill", Pill },
        { "test", Test }, { "object", Any }, { "selector", Any },
    };
    const auto found = std::find_if(std::begin(kinds), std::end(kinds), [name](const auto& k) { return k.first == name; });
    return found == std::end(kinds) ? KindCount : found->second;
}

// One call's arguments: a live object of each kind, the bad handle under test, sentinels for out-arguments.
struct Fixture
{
    std::array<QuenHandle, KindCount> objects {};
    std::string_view target;
    QuenHandle bad = 0;
    QByteArray path;
    std::array<double, 4> reals {}; // out-arguments must come back 0
    std::array<int32_t, 4> ints {};
    std::size_t realsUsed = 0, intsUsed = 0;
    char buffer[8] {};
    const char* message = nullptr;
};

constexpr double kSentinel = 7;

template <typename A>
A argument(Fixture& f, const Param& p)
{
    if constexpr (std::is_same_v<A, double*>)
        return &(f.reals[f.realsUsed++] = kSentinel);
    else if constexpr (std::is_same_v<A, int32_t*>)
        return &(f.ints[f.intsUsed++] = int32_t(kSentinel));
    else if constexpr (std::is_same_v<A, char*>)
        return f.buffer;
    else if constexpr (std::is_same_v<A, const char**>)
        return &f.message;
    else if constexpr (std::is_same_v<A, const char*>)
        return p.name == "className" ? "CQuenInt32" : p.name == "path" ? f.path.constData() : "Units";
    else if constexpr (std::is_same_v<A, double>)
        return 1.0;
    else if constexpr (std::is_integral_v<A>) {
        if (p.type != "QuenHandle")
            return p.name.ends_with("Length") ? A(-1) : A(1);
        const Kind kind = kindOf(p.name) == Any ? Data : kindOf(p.name);
        return p.name == f.target ? f.bad : kind == KindCount ? 0 : f.objects[kind];
    } else
        static_assert(std::is_integral_v<A>, "a parameter type the sweep cannot supply");
}

// What a call gave back: whether it was the failure result, and that result as text.
struct Outcome { bool failed = true; QString shown; };

template <typename R>
Outcome judge(R result, int32_t failure)
{
    if constexpr (std::is_same_v<R, const char*>)
        return { result && !*result, result ? QStringLiteral("\"%1\"").arg(text(result)) : QStringLiteral("null") };
    else
        return { result == R(failure), QString::number(result) };
}

template <typename F>
struct Signature;
template <typename R, typename... A>
struct Signature<R (*)(A...)>
{
    static constexpr std::size_t arity = sizeof...(A);
    template <auto Fn, std::size_t... I>
    static Outcome call(Fixture& f, const std::vector<Param>& params, int32_t failure, std::index_sequence<I...>)
    {
        if constexpr (std::is_void_v<R>)
            return Fn(argument<A>(f, params[I])...), Outcome { true, QStringLiteral("nothing") };
        else
            return judge(Fn(argument<A>(f, params[I])...), failure);
    }
};

struct Function { const char* name; std::vector<Param> params; std::size_t arity; Outcome (*call)(Fixture&, const std::vector<Param>&, int32_t failure); };

template <auto Fn>
Outcome callWith(Fixture& f, const std::vector<Param>& params, int32_t failure)
{
    using S = Signature<decltype(Fn)>;
    return S::template call<Fn>(f, params, failure, std::make_index_sequence<S::arity>());
}

template <typename... P>
std::vector<Param> paramList(P... p) { return { p... }; }

const std::vector<Function>& functions()
{
    static const std::vector<Function> list = [] {
        std::vector<Function> l;
#define QUEN_IN(type, name) Param { #type, #name }
#define QUEN_OUT(type, name) Param { #type, #name }
#define QUEN_FN(ret, fname, params)                                                                \
    l.push_back({ #fname, paramList params, Signature<decltype(&fname)>::arity, &callWith<&fname> });
#include "quen/quenapi.def"
#undef QUEN_FN
#undef QUEN_OUT
#undef QUEN_IN
        return l;
    }();
    return list;
}

// The rule is 0, false, 0.0 or "" with one error; the runtime walks count their calls, so -1
// is their failure, and the validity test answers without an error.
int32_t failureResult(std::string_view function) { return function.starts_with("QuenDataRun") ? -1 : 0; }

// The class a function's data item must have, by its family ("array": any array class); null: any item.
const char* wantedClass(std::string_view function)
{
    static const std::pair<std::string_view, const char*> families[] = {
        { "QuenInt32", "CQuenInt32" }, { "QuenReal64", "CQuenReal64" }, { "QuenString", "CQuenString" }, { "QuenComplex", "CQuenComplex" },
        { "QuenPoint", "CQuenPoint" }, { "QuenRange", "CQuenRange" }, { "QuenWaveform", "CQuenWaveform" }, { "QuenArray", "array" },
        { "QuenI32Arr", "CQuenInt32Array" }, { "QuenR64Arr", "CQuenReal64Array" }, { "QuenStrArr", "CQuenStringArray" },
        { "QuenPtArr", "CQuenPointArray" }, { "QuenRngArr", "CQuenRangeArray" },
    };
    const auto found = std::find_if(std::begin(families), std::end(families), [function](const auto& f) { return function.starts_with(f.first); });
    return found == std::end(families) ? nullptr : found->second;
}

bool zeroIsAllowed(std::string_view function, std::string_view parameter)
{
    return (function == "QuenDataExSetProperty" && parameter == "value") // 0 removes the property
        || (function.starts_with("QuenStrFmt") && parameter == "block") // 0: no locals
        || kindOf(parameter) == Any; // 0: no object, the default selector
}

enum Source { Zero, Stale, ForgedGeneration, ForgedIndex, OtherKind, OtherClass };

constexpr uint32_t kGenerationStep = 1u << 20; // handles keep the slot index in the low 20 bits

} // namespace

class HandleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenExcRegClearError(0); m_live = QuenCoreGetLiveObjectCount(); }
    void cleanup() { QVERIFY(QuenCoreGetLiveObjectCount() == m_live && !QuenExcRegIsError(0)); }

    void badHandlesFailCleanly_data()
    {
        VeltTest::columns<int, QString, int, int>({"function", "parameter", "source", "otherKind"});
        for (std::size_t i = 0; i < functions().size(); ++i) {
            const Function& f = functions()[i];
            for (const Param& p : f.params) {
                const Kind kind = kindOf(p.name);
                if (p.type != "QuenHandle")
                    continue;
                const QString name = QString::fromLatin1(p.name.data(), p.name.size());
                auto row = [&](const char* what, int source, int other) {
                    QTest::addRow("%s(%s) %s", f.name, p.name.data(), what) << int(i) << name << source << other;
                };
                if (kind == KindCount) { // a new parameter name: add it to kindOf()
                    row("of an unknown kind", -1, 0);
                    continue;
                }
                if (!zeroIsAllowed(f.name, p.name))
                    row("0", Zero, 0);
                row("released", Stale, 0);
                row("next generation", ForgedGeneration, 0);
                row("slot never used", ForgedIndex, 0);
                for (int other = 0; other < KindCount; ++other) {
                    if (other != kind && kind != Any)
                        row(kKinds[other].name, OtherKind, other);
                }
                if (kind == Data && wantedClass(f.name))
                    row("data item of another class", OtherClass, 0);
            }
        }
    }

    void badHandlesFailCleanly()
    {
        QFETCH(int, function);
        QFETCH(QString, parameter);
        QFETCH(int, source);
        QFETCH(int, otherKind);
        const Function& f = functions()[std::size_t(function)];
        QVERIFY2(source >= 0 && f.params.size() == f.arity, "which kind of handle?");
        const QByteArray target = parameter.toLatin1();
        const Kind kind = kindOf(target.constData()) == Any ? Data : kindOf(target.constData());
        Fixture fixture;
        for (int k = 0; k < KindCount; ++k)
            fixture.objects[std::size_t(k)] = kKinds[k].create();
        const auto releaseFixture = qScopeGuard([&fixture] {
            for (int k = 0; k < KindCount; ++k)
                kKinds[k].release(fixture.objects[std::size_t(k)]);
        });
        fixture.target = target.constData();
        fixture.path = (m_dir.path() + QLatin1String("/file.json")).toUtf8();
        switch (Source(source)) {
        case Zero: break;
        case Stale: kKinds[kind].release(fixture.bad = kKinds[kind].create()); break;
        case ForgedGeneration: fixture.bad = QuenHandle(uint32_t(fixture.objects[kind]) + kGenerationStep); break;
        case ForgedIndex: fixture.bad = QuenHandle(kGenerationStep | (kGenerationStep - 1)); break;
        case OtherKind: fixture.bad = fixture.objects[std::size_t(otherKind)]; break;
        case OtherClass: fixture.bad = std::string_view(wantedClass(f.name)) == "CQuenString" ? fixture.objects[Data] : QuenStringCreate("s"); break;
        }
        const auto releaseOther = qScopeGuard([&fixture] {
            if (fixture.bad != fixture.objects[Data] && QuenDataIsValid(fixture.bad))
                QuenDataRelease(fixture.bad);
        });
        QuenExcRegClearError(0);
        const int32_t live = QuenCoreGetLiveObjectCount();

        const Outcome outcome = f.call(fixture, f.params, failureResult(f.name));

        QVERIFY2(outcome.failed, qPrintable(QLatin1String("it gave ") + outcome.shown));
        const auto zero = [](auto v) { return v == 0; };
        QVERIFY(std::all_of(fixture.reals.begin(), fixture.reals.begin() + fixture.realsUsed, zero) && std::all_of(fixture.ints.begin(), fixture.ints.begin() + fixture.intsUsed, zero));
        QCOMPARE(QuenCoreGetLiveObjectCount(), live); // nothing made, nothing released
        if (std::string_view(f.name) == "QuenDataIsValid") {
            EXPECT_NO_ERROR();
        } else if (source == OtherClass) { // both classes are named, so the message tells what went wrong
            const QList<Raised> raised = takeErrors();
            const QString message = raised.value(0).message;
            QVERIFY2(raised.size() == 1 && raised[0].code == QUEN_ERR_WRONG_KIND && message.startsWith(QLatin1String(f.name) + QLatin1String(": "))
                             && message.contains(text(QuenDataGetType(fixture.bad))) && message.contains(QLatin1String(wantedClass(f.name))),
                     qPrintable(message));
        } else {
            EXPECT_ONE_ERROR(source == OtherKind ? QUEN_ERR_WRONG_KIND : QUEN_ERR_INVALID_HANDLE, f.name);
        }
    }

    // A released handle stays dead: its value is never issued again, so it never names an unrelated object.
    void handleValuesNeverRepeat()
    {
        CoreBuilder items;
        const QuenHandle neighbour = items << QuenInt32Create(-5);
        std::vector<QuenHandle> issued(1000000);
        for (QuenHandle& h : issued)
            QuenDataRelease(h = QuenInt32Create(1));
        EXPECT_NO_ERROR();
        QVERIFY(!QuenDataIsValid(issued.front()) && QuenInt32GetValue(neighbour) == -5);
        std::sort(issued.begin(), issued.end());
        QVERIFY(!std::binary_search(issued.begin(), issued.end(), 0) && !std::binary_search(issued.begin(), issued.end(), neighbour));
        QVERIFY(std::adjacent_find(issued.begin(), issued.end()) == issued.end());
    }

private:
    int32_t m_live = 0;
    QTemporaryDir m_dir; // where a call given a path would write (none should)
};

QTEST_GUILESS_MAIN(HandleTest)
#include "handletest.moc"
