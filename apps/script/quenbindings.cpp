#include "quenbindings.h"

#include "quen/quencore.h"

#include <QJSEngine>

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <span>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace VeltScript {

namespace {

// A parameter as quenapi.def names it.
struct ParamInfo
{
    const char* name;
    bool out;
};

template <typename... P>
constexpr std::array<ParamInfo, sizeof...(P)> paramList(P... p)
{
    return {p...};
}

// Pointers are written by the function, except texts passed in.
template <typename T>
constexpr bool isOut = std::is_pointer_v<T> && !std::is_same_v<T, const char*>;

template <typename F>
struct Directions;
template <typename R, typename... A>
struct Directions<R (*)(A...)>
{
    static constexpr std::array<bool, sizeof...(A)> outs{isOut<A>...};
};

// The list's QUEN_IN/QUEN_OUT marks must agree with the declared types.
template <typename F, std::size_t N>
constexpr bool directionsMatch(const std::array<ParamInfo, N>& info)
{
    constexpr auto outs = Directions<F>::outs;
    if (outs.size() != N)
        return false;
    for (std::size_t i = 0; i < N; ++i) {
        if (outs[i] != info[i].out)
            return false;
    }
    return true;
}

// Largest text buffer a script may ask an out-argument buffer for.
constexpr int32_t kMaxBuffer = 16 * 1024 * 1024;

struct Call
{
    QJSEngine* engine;
    QString function;
    std::span<const ParamInfo> params;
    QJSValue args;

    QString signature() const
    {
        QStringList in;
        for (const ParamInfo& p : params) {
            if (!p.out)
                in << QString::fromLatin1(p.name);
        }
        return function + QLatin1Char('(') + in.join(QLatin1String(", ")) + QLatin1Char(')');
    }
    void fail(QJSValue::ErrorType type, const QString& what) const
    {
        engine->throwError(type, signature() + QLatin1String(": ") + what);
    }
};

// ---- cells: where each parameter lives during a call ----------------------------------------

template <typename T>
struct InSlot
{
    T value{};
    T get() const { return value; }
};

template <>
struct InSlot<const char*>
{
    QByteArray bytes;
    bool null = true;
    const char* get() const { return null ? nullptr : bytes.constData(); }
};

template <typename T>
struct OutSlot;

template <>
struct OutSlot<int32_t*>
{
    int32_t value = 0;
    int32_t* get() { return &value; }
    QJSValue toJs() const { return QJSValue(value); }
};

template <>
struct OutSlot<double*>
{
    double value = 0.0;
    double* get() { return &value; }
    QJSValue toJs() const { return QJSValue(value); }
};

template <>
struct OutSlot<const char**>
{
    const char* value = nullptr;
    const char** get() { return &value; }
    QJSValue toJs() const { return QJSValue(QString::fromUtf8(value)); }
};

// A caller-provided text buffer; its size is the int32_t parameter that follows it.
template <>
struct OutSlot<char*>
{
    QByteArray buffer;
    char* get() { return buffer.data(); }
    QJSValue toJs() const { return QJSValue(QString::fromUtf8(buffer.constData())); }
};

template <typename T>
using Slot = std::conditional_t<isOut<T>, OutSlot<T>, InSlot<T>>;

// ---- script values to C and back --------------------------------------------------------------

template <typename Int>
bool readIn(const Call& call, const QJSValue& v, const char* name, InSlot<Int>& slot)
    requires std::is_integral_v<Int>
{
    if (v.isBool()) {
        slot.value = v.toBool() ? Int(-1) : Int(0); // the core's boolean convention
        return true;
    }
    if (!v.isNumber()) {
        call.fail(QJSValue::TypeError,
                  QStringLiteral("argument '%1' must be a number").arg(QLatin1String(name)));
        return false;
    }
    const double d = v.toNumber();
    constexpr double lo = double(std::numeric_limits<Int>::min());
    constexpr double hi = double(std::numeric_limits<Int>::max());
    if (!std::isfinite(d) || d != std::trunc(d) || d < lo || d > hi) {
        call.fail(QJSValue::RangeError,
                  QStringLiteral("argument '%1' is not an integer from %2 to %3")
                      .arg(QLatin1String(name))
                      .arg(qint64(std::numeric_limits<Int>::min()))
                      .arg(qint64(std::numeric_limits<Int>::max())));
        return false;
    }
    slot.value = static_cast<Int>(d);
    return true;
}

bool readIn(const Call& call, const QJSValue& v, const char* name, InSlot<double>& slot)
{
    if (!v.isNumber()) {
        call.fail(QJSValue::TypeError,
                  QStringLiteral("argument '%1' must be a number").arg(QLatin1String(name)));
        return false;
    }
    slot.value = v.toNumber();
    return true;
}

bool readIn(const Call& call, const QJSValue& v, const char* name, InSlot<const char*>& slot)
{
    if (v.isNull() || v.isUndefined()) {
        slot.null = true;
        return true;
    }
    if (!v.isString()) {
        call.fail(QJSValue::TypeError,
                  QStringLiteral("argument '%1' must be a string").arg(QLatin1String(name)));
        return false;
    }
    slot.bytes = v.toString().toUtf8();
    slot.null = false;
    return true;
}

QJSValue toJs(int32_t v) { return QJSValue(v); }
QJSValue toJs(int16_t v) { return QJSValue(int(v)); }
QJSValue toJs(double v) { return QJSValue(v); }
QJSValue toJs(const char* v) { return QJSValue(QString::fromUtf8(v)); }

// ---- one call ---------------------------------------------------------------------------------

template <std::size_t I, typename Tuple>
bool readSlot(const Call& call, Tuple& cells, int& jsIndex)
{
    auto& slot = std::get<I>(cells);
    if constexpr (requires { slot.toJs(); }) {
        return true; // out-arguments are prepared once every in-argument is known
    } else {
        const QJSValue v = call.args.property(quint32(jsIndex));
        ++jsIndex;
        return readIn(call, v, call.params[I].name, slot);
    }
}

template <std::size_t I, typename Tuple>
bool prepareSlot(const Call& call, Tuple& cells)
{
    using S = std::tuple_element_t<I, Tuple>;
    if constexpr (std::is_same_v<S, OutSlot<char*>>) {
        static_assert(I + 1 < std::tuple_size_v<Tuple>, "a text buffer is followed by its size");
        static_assert(std::is_same_v<std::tuple_element_t<I + 1, Tuple>, InSlot<int32_t>>,
                      "a text buffer is followed by its int32_t size");
        const int32_t size = std::get<I + 1>(cells).value;
        if (size < 0 || size > kMaxBuffer) {
            call.fail(QJSValue::RangeError,
                      QStringLiteral("argument '%1' must be from 0 to %2")
                          .arg(QLatin1String(call.params[I + 1].name))
                          .arg(kMaxBuffer));
            return false;
        }
        // One byte more than announced, so the text stays terminated whatever the core writes.
        std::get<I>(cells).buffer = QByteArray(qsizetype(size) + 1, '\0');
    }
    return true;
}

template <auto Fn, typename R, typename... A>
QJSValue invokeWith(const Call& call, R (*)(A...))
{
    constexpr int inCount = (0 + ... + (isOut<A> ? 0 : 1));
    constexpr bool hasOut = (false || ... || isOut<A>);
    const int given = call.args.property(QStringLiteral("length")).toInt();
    if (given != inCount) {
        call.fail(QJSValue::TypeError,
                  QStringLiteral("expected %1 argument%2, got %3")
                      .arg(inCount)
                      .arg(inCount == 1 ? QString() : QStringLiteral("s"))
                      .arg(given));
        return {};
    }

    std::tuple<Slot<A>...> cells;
    const bool ok = [&]<std::size_t... I>(std::index_sequence<I...>) {
        [[maybe_unused]] int jsIndex = 0; // unused by functions without in-arguments
        return (readSlot<I>(call, cells, jsIndex) && ...) && (prepareSlot<I>(call, cells) && ...);
    }(std::index_sequence_for<A...>{});
    if (!ok)
        return {};

    auto invoke = [&] { return std::apply([](auto&... s) { return Fn(s.get()...); }, cells); };
    if constexpr (!hasOut) {
        if constexpr (std::is_void_v<R>) {
            invoke();
            return QJSValue(QJSValue::UndefinedValue);
        } else {
            return toJs(invoke());
        }
    } else {
        QJSValue out = call.engine->newObject();
        if constexpr (std::is_void_v<R>)
            invoke();
        else
            out.setProperty(QStringLiteral("result"), toJs(invoke()));
        [&]<std::size_t... I>(std::index_sequence<I...>) {
            auto put = [&](auto& slot, std::size_t i) {
                if constexpr (requires { slot.toJs(); })
                    out.setProperty(QString::fromLatin1(call.params[i].name), slot.toJs());
            };
            (put(std::get<I>(cells), I), ...);
        }(std::index_sequence_for<A...>{});
        return out;
    }
}

struct Binding
{
    QString name;
    std::vector<ParamInfo> params;
    QJSValue (*invoke)(const Call&);
};

template <auto Fn>
QJSValue invokeFn(const Call& call)
{
    return invokeWith<Fn>(call, Fn);
}

template <auto Fn, std::size_t N>
Binding makeBinding(const char* name, const std::array<ParamInfo, N>& info)
{
    return Binding{QString::fromLatin1(name), std::vector<ParamInfo>(info.begin(), info.end()),
                   &invokeFn<Fn>};
}

std::vector<Binding> buildTable()
{
    std::vector<Binding> table;
#define QUEN_IN(type, name) ParamInfo{#name, false}
#define QUEN_OUT(type, name) ParamInfo{#name, true}
#define QUEN_FN(ret, fname, params)                                                            \
    {                                                                                          \
        constexpr auto info = paramList params;                                                \
        static_assert(directionsMatch<decltype(&fname)>(info),                                 \
                      #fname ": QUEN_IN/QUEN_OUT disagree with the parameter types");          \
        table.push_back(makeBinding<&fname>(#fname, info));                                    \
    }
#include "quen/quenapi.def"
#undef QUEN_FN
#undef QUEN_OUT
#undef QUEN_IN
    return table;
}

const std::vector<Binding>& bindings()
{
    static const std::vector<Binding> table = buildTable();
    return table;
}

} // namespace

struct QuenBindings::Private
{
    QJSEngine* engine;
};

QuenBindings::QuenBindings(QJSEngine* engine, QObject* parent)
    : QObject(parent), d(new Private{engine})
{
}

QuenBindings::~QuenBindings() = default;

QStringList QuenBindings::names() const
{
    QStringList result;
    for (const Binding& b : bindings())
        result << b.name;
    return result;
}

QString QuenBindings::signature(int index) const
{
    const auto& table = bindings();
    if (index < 0 || std::size_t(index) >= table.size())
        return {};
    const Binding& b = table[std::size_t(index)];
    return Call{d->engine, b.name, b.params, {}}.signature();
}

QJSValue QuenBindings::call(int index, const QJSValue& args)
{
    const auto& table = bindings();
    if (index < 0 || std::size_t(index) >= table.size()) {
        d->engine->throwError(QJSValue::RangeError, QStringLiteral("no such core function"));
        return {};
    }
    const Binding& b = table[std::size_t(index)];
    return b.invoke(Call{d->engine, b.name, b.params, args});
}

QJSValue QuenBindings::createGlobal()
{
    QJSEngine::setObjectOwnership(this, QJSEngine::CppOwnership);
    // Plain functions that pass their arguments on, so Quen.X.length and errors read naturally.
    const QJSValue factory = d->engine->evaluate(QStringLiteral(
        "(function (host) {\n"
        "  var quen = {};\n"
        "  host.names().forEach(function (name, index) {\n"
        "    quen[name] = function () {\n"
        "      return host.call(index, Array.prototype.slice.call(arguments));\n"
        "    };\n"
        "  });\n"
        "  return Object.freeze(quen);\n"
        "})"),
        QStringLiteral("quen-bindings.js"));
    return factory.call({d->engine->newQObject(this)});
}

} // namespace VeltScript
