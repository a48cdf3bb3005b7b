// String format patterns: a text with symbol references that a string is built from (evaluate)
// or that a reply is read back with (scan). docs/patterns.md describes the language.
//
//   literal text     any character but \ % and line ends stands for itself
//   escapes          \\  \%  \n  \r  \t
//   line ends        a raw LF, CR or CR LF in the pattern is a line-end token
//   symbols          %{name} (the locals, then the public tables) or %{table:name};
//                    inside the braces \ takes the next character as it is
#include "block_p.h"
#include "data_p.h"
#include "names_p.h"
#include "tables_p.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quen {
namespace {

enum TokenType : int32_t {
    NoToken = QUEN_TOKEN_NONE,
    TextToken = QUEN_TOKEN_TEXT,
    SymbolToken = QUEN_TOKEN_SYMBOL,
    EndOfLineToken = QUEN_TOKEN_END_OF_LINE,
    ErrorToken = QUEN_TOKEN_ERROR
};

struct Token
{
    TokenType type = NoToken;
    std::size_t end = 0; // the byte after the token
    std::string value;   // text, line end, symbol name or error message
    std::string table;   // symbol tokens: "" for the locals and the public tables
};

// The 1-based character position of a byte offset (UTF-8 continuation bytes do not count).
std::size_t place(std::string_view text, std::size_t byte)
{
    std::size_t characters = 1;
    for (std::size_t i = 0; i < byte && i < text.size(); ++i)
        characters += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    return characters;
}

Token error(std::string_view pattern, std::size_t at, const std::string& what)
{
    return { ErrorToken, pattern.size(), what + " at position " + std::to_string(place(pattern, at)), {} };
}

std::optional<char> escaped(char c)
{
    switch (c) {
    case '\\': return '\\';
    case '%': return '%';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    default: return std::nullopt;
    }
}

Token readSymbol(std::string_view p, std::size_t at)
{
    if (at + 1 >= p.size() || p[at + 1] != '{')
        return error(p, at, "a % must start a symbol reference %{...} (\\% stands for the sign itself)");
    std::vector<std::string> parts(1);
    std::size_t i = at + 2;
    for (; i < p.size() && p[i] != '}'; ++i) {
        if (p[i] == '\\' && i + 1 < p.size())
            parts.back() += p[++i];
        else if (p[i] == '\n' || p[i] == '\r')
            return error(p, at, "the symbol reference breaks at a line end");
        else if (p[i] == ':' && parts.size() == 1)
            parts.emplace_back();
        else
            parts.back() += p[i];
    }
    if (i >= p.size())
        return error(p, at, "the symbol reference has no closing }");
    Token t { SymbolToken, i + 1, parts.back(), parts.size() == 2 ? parts.front() : std::string() };
    if (parts.size() == 2 && t.table.empty())
        return error(p, at, "the symbol reference names no table before the :");
    if (t.value.empty())
        return error(p, at, "the symbol reference names no symbol");
    return t;
}

Token readToken(std::string_view p, std::size_t at)
{
    if (at >= p.size())
        return { NoToken, at, {}, {} };
    if (p[at] == '\n' || p[at] == '\r') {
        const std::size_t end = at + (p.substr(at, 2) == "\r\n" ? 2 : 1);
        return { EndOfLineToken, end, std::string(p.substr(at, end - at)), {} };
    }
    if (p[at] == '%')
        return readSymbol(p, at);
    Token t { TextToken, at, {}, {} };
    for (std::size_t& i = t.end; i < p.size() && p[i] != '%' && p[i] != '\n' && p[i] != '\r'; ++i) {
        if (p[i] != '\\') {
            t.value += p[i];
            continue;
        }
        const std::optional<char> c = i + 1 < p.size() ? escaped(p[i + 1]) : std::nullopt;
        if (!c && !t.value.empty())
            return t; // the text ends here; the bad escape is the next token
        if (!c) {
            return error(p, i, i + 1 < p.size()
                                   ? "\\" + std::string(1, p[i + 1]) + " is not an escape (\\\\ stands for a backslash)"
                                   : std::string("the pattern ends in a lone \\ (\\\\ stands for a backslash)"));
        }
        t.value += *c;
        ++i;
    }
    return t;
}

// Every token of a pattern, or the first error token.
std::vector<Token> tokens(std::string_view pattern)
{
    std::vector<Token> list;
    for (std::size_t at = 0; at < pattern.size();) {
        list.push_back(readToken(pattern, at));
        if (list.back().type == ErrorToken)
            return { list.back() };
        at = list.back().end;
    }
    return list;
}

std::string quoted(const Token& t)
{
    return "'" + (t.table.empty() ? t.value : t.table + ":" + t.value) + "'";
}

// The data item a symbol token stands for, following references; null with the reason.
DataItem* symbolItem(const Token& t, const Block* locals, std::string& problem)
{
    std::string table = t.table, name = t.value;
    for (int hop = 0; hop < 8; ++hop) {
        const Parm* parm = nullptr;
        if (!table.empty()) {
            const Block* block = findRegisteredTable(table);
            if (!block) {
                problem = "there is no symbol table '" + table + "' for the symbol " + quoted(t);
                return nullptr;
            }
            parm = lookup<Parm>(findParm(*block, name));
        } else {
            if (locals)
                parm = lookup<Parm>(findParm(*locals, name));
            for (const RegisteredTable& r : registeredTables()) {
                if (!parm && r.isPublic)
                    parm = lookup<Parm>(findParm(*lookup<Block>(r.table), name));
            }
        }
        if (!parm) {
            problem = "the symbol " + quoted(t) + " is not defined";
            return nullptr;
        }
        if (!parm->reference) {
            auto* item = lookup<DataItem>(parm->data);
            if (!item)
                problem = "the symbol " + quoted(t) + " has no value";
            else if (item->cls != DataClass::Int32 && item->cls != DataClass::Real64 && item->cls != DataClass::String)
                problem = "the symbol " + quoted(t) + " is a " + className(item->cls)
                          + "; a pattern takes integers, reals and strings";
            return problem.empty() ? item : nullptr;
        }
        table = parm->refTable;
        name = parm->refName;
    }
    problem = "the symbol " + quoted(t) + " is a chain of references that does not end";
    return nullptr;
}

std::string render(const DataItem& item)
{
    if (const auto* i = std::get_if<int32_t>(&item.value))
        return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&item.value)) {
        char buffer[32];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, *d, std::chars_format::general, 15);
        return std::string(buffer, r.ptr);
    }
    return std::get<std::string>(item.value);
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// Reads text as a value of the item's class; nullopt when it does not fit.
std::optional<Value> parse(const DataItem& item, std::string_view text)
{
    if (item.cls == DataClass::String)
        return Value(std::string(text));
    std::string_view number = trimmed(text);
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    const char* end = number.data() + number.size();
    if (item.cls == DataClass::Int32) {
        int32_t i = 0;
        const auto r = std::from_chars(number.data(), end, i);
        return r.ec == std::errc() && r.ptr == end && !number.empty() ? std::optional<Value>(i) : std::nullopt;
    }
    double d = 0;
    const auto r = std::from_chars(number.data(), end, d);
    return r.ec == std::errc() && r.ptr == end && !number.empty() && std::isfinite(d) ? std::optional<Value>(d)
                                                                                      : std::nullopt;
}

const Block* localsArg(QuenHandle block, const char* function, bool& ok)
{
    ok = true;
    if (!block)
        return nullptr;
    const Block* locals = resolveAs<Block>(block, function);
    ok = locals != nullptr;
    return locals;
}

// The string a pattern builds; nullopt with an error naming function.
std::optional<std::string> evaluate(std::string_view pattern, const Block* locals, const char* function)
{
    std::string result, problem;
    for (const Token& t : tokens(pattern)) {
        if (t.type == ErrorToken) {
            raise(QUEN_ERR_INVALID_ARGUMENT, function, "the pattern is not valid: " + t.value);
            return std::nullopt;
        }
        if (t.type != SymbolToken) {
            result += t.value;
            continue;
        }
        const DataItem* item = symbolItem(t, locals, problem);
        if (!item) {
            raise(QUEN_ERR_NOT_FOUND, function, problem);
            return std::nullopt;
        }
        result += render(*item);
    }
    return result;
}

std::string validate(std::string_view pattern, bool checkSymbols, bool scan, const Block* locals)
{
    const std::vector<Token> list = tokens(pattern);
    std::string problem;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Token& t = list[i];
        if (t.type == ErrorToken)
            return t.value;
        if (t.type != SymbolToken)
            continue;
        if (scan && i + 1 < list.size() && list[i + 1].type == SymbolToken)
            return "the symbols " + quoted(t) + " and " + quoted(list[i + 1])
                   + " follow each other: a scan cannot tell where one ends; put text between them";
        if (checkSymbols && !symbolItem(t, locals, problem))
            return problem;
    }
    return {};
}

std::string shown(std::string_view s)
{
    std::string out;
    for (const char c : s.substr(0, 40))
        out += c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\t' ? "\\t" : std::string(1, c);
    return "\"" + out + (s.size() > 40 ? "...\"" : "\"");
}

// Where a literal token (text or line end) next occurs in reply from at: {begin, end}.
std::optional<std::pair<std::size_t, std::size_t>> find(const Token& literal, std::string_view reply, std::size_t at)
{
    if (literal.type == TextToken) {
        const std::size_t found = reply.find(literal.value, at);
        return found == std::string_view::npos ? std::nullopt : std::optional(std::pair(found, found + literal.value.size()));
    }
    const std::size_t found = reply.find_first_of("\r\n", at);
    if (found == std::string_view::npos)
        return std::nullopt;
    return std::pair(found, found + (reply.substr(found, 2) == "\r\n" ? 2 : 1));
}

// Scans reply with the pattern and writes the values into the symbols; on any failure nothing
// is written and an error naming function is raised.
bool scan(std::string_view pattern, std::string_view reply, const Block* locals, const char* function)
{
    const std::string invalid = validate(pattern, true, true, locals);
    if (!invalid.empty()) {
        raise(QUEN_ERR_INVALID_ARGUMENT, function, "the pattern cannot scan: " + invalid);
        return false;
    }
    const std::vector<Token> list = tokens(pattern);
    std::vector<std::pair<DataItem*, Value>> values;
    std::string problem;
    std::size_t at = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Token& t = list[i];
        if (t.type != SymbolToken) {
            const auto found = find(t, reply.substr(at, t.type == TextToken ? t.value.size() : 2), 0);
            if (!found || found->first != 0) {
                raise(QUEN_ERR_INVALID_ARGUMENT, function,
                      "the reply does not match the pattern at position " + std::to_string(place(reply, at))
                          + ": " + shown(t.value) + " expected, " + shown(reply.substr(at)) + " found");
                return false;
            }
            at += found->second;
            continue;
        }
        std::size_t end = reply.size(), next = reply.size();
        if (i + 1 < list.size()) {
            const auto found = find(list[i + 1], reply, at);
            if (!found) {
                raise(QUEN_ERR_INVALID_ARGUMENT, function,
                      "the reply ends before " + shown(list[i + 1].value) + ", which follows " + quoted(t));
                return false;
            }
            end = found->first;
            next = found->second;
            ++i; // the literal that ends the value is taken with it
        }
        DataItem* item = symbolItem(t, locals, problem);
        if (!item) {
            raise(QUEN_ERR_NOT_FOUND, function, problem);
            return false;
        }
        const std::string_view text = reply.substr(at, end - at);
        std::optional<Value> value = parse(*item, text);
        if (!value) {
            raise(QUEN_ERR_INVALID_ARGUMENT, function,
                  "the reply gives " + shown(text) + " for " + quoted(t) + ", which is not a "
                      + (item->cls == DataClass::Int32 ? "32-bit integer" : "real number"));
            return false;
        }
        values.emplace_back(item, std::move(*value));
        at = next;
    }
    if (at != reply.size()) {
        raise(QUEN_ERR_INVALID_ARGUMENT, function,
              "the reply goes on after the pattern ends: " + shown(reply.substr(at)));
        return false;
    }
    for (auto& [item, value] : values) {
        item->value = std::move(value);
        Store::instance().touch(item->self);
    }
    return true;
}

std::string escapedName(std::string_view name)
{
    std::string out;
    for (const char c : name) {
        if (c == '\\' || c == '}' || c == ':' || c == '\n' || c == '\r')
            out += '\\';
        out += c;
    }
    return out;
}

// The pattern of a string item ("Format"), or nullopt with an error naming function.
std::optional<std::string> formatOf(const DataItem& item, const char* function)
{
    for (const auto& [name, handle] : item.properties) {
        const auto* format = lookup<DataItem>(handle);
        if (sameName(name, "Format") && format && format->cls == DataClass::String)
            return std::get<std::string>(format->value);
    }
    raise(QUEN_ERR_NOT_FOUND, function, "data item " + std::to_string(item.self) + " has no \"Format\" pattern");
    return std::nullopt;
}

// The arguments of a runtime call: a string item with a "Format" pattern (returned) and the
// locals (0 for none); nullopt with an error naming function. Handles are checked before the
// item's class, so a bad handle is what the error names.
std::optional<std::string> runtimeArgs(QuenHandle data, QuenHandle block, const char* function,
                                       DataItem*& item, const Block*& locals)
{
    bool ok = false;
    locals = resolveAs<DataItem>(data, function) ? localsArg(block, function, ok) : nullptr;
    item = ok ? resolveData(data, DataClass::String, function) : nullptr;
    return item ? formatOf(*item, function) : std::nullopt;
}

bool positionArg(std::string_view pattern, int32_t position, const char* function)
{
    if (position >= 0 && std::size_t(position) <= pattern.size())
        return true;
    raise(QUEN_ERR_OUT_OF_RANGE, function,
          "position " + std::to_string(position) + " lies outside the pattern (0 to "
              + std::to_string(pattern.size()) + ")");
    return false;
}

} // namespace
} // namespace quen

using namespace quen;

const char* QuenStrFmtTokenizeText(const char* text, int32_t lineEnds)
{
    std::string pattern;
    for (const char c : textArg(text)) {
        switch (c) {
        case '\\': pattern += "\\\\"; break;
        case '%': pattern += "\\%"; break;
        case '\n': pattern += lineEnds ? "\n" : "\\n"; break;
        case '\r': pattern += lineEnds ? "\r" : "\\r"; break;
        default: pattern += c;
        }
    }
    return keepText(std::move(pattern));
}

const char* QuenStrFmtTokenizeSymbol(const char* symbol, const char* table)
{
    const std::string name = textArg(symbol), tableName = textArg(table);
    if (name.empty()) {
        raise(QUEN_ERR_INVALID_ARGUMENT, __func__, "no symbol name given");
        return "";
    }
    return keepText("%{" + (tableName.empty() ? std::string() : escapedName(tableName) + ":") + escapedName(name) + "}");
}

int32_t QuenStrFmtGetNextToken(const char* pattern, int32_t position, int32_t* next)
{
    const std::string p = textArg(pattern);
    if (next)
        *next = 0;
    if (!positionArg(p, position, __func__))
        return NoToken;
    const Token t = readToken(p, std::size_t(position));
    if (next)
        *next = int32_t(t.end);
    return t.type;
}

const char* QuenStrFmtGetTokenValue(const char* pattern, int32_t position)
{
    const std::string p = textArg(pattern);
    if (!positionArg(p, position, __func__))
        return "";
    return keepText(readToken(p, std::size_t(position)).value);
}

const char* QuenStrFmtGetStringValue(const char* pattern, QuenHandle block)
{
    bool ok = false;
    const Block* locals = localsArg(block, __func__, ok);
    if (!ok)
        return "";
    const std::optional<std::string> result = evaluate(textArg(pattern), locals, __func__);
    return result ? keepText(*result) : "";
}

const char* QuenStrFmtValidate(const char* pattern, int32_t checkSymbols, int32_t scan, QuenHandle block)
{
    bool ok = false;
    const Block* locals = localsArg(block, __func__, ok);
    return ok ? keepText(validate(textArg(pattern), checkSymbols != 0, scan != 0, locals)) : "";
}

QuenBool QuenStrFmtRuntimeEvaluate(QuenHandle data, QuenHandle block)
{
    DataItem* item = nullptr;
    const Block* locals = nullptr;
    const std::optional<std::string> format = runtimeArgs(data, block, __func__, item, locals);
    const std::optional<std::string> result = format ? evaluate(*format, locals, __func__) : std::nullopt;
    if (!result)
        return QUEN_FALSE;
    item->value = *result;
    Store::instance().touch(item->self);
    return QUEN_TRUE;
}

QuenBool QuenStrFmtRuntimeScan(QuenHandle data, QuenHandle block)
{
    DataItem* item = nullptr;
    const Block* locals = nullptr;
    const std::optional<std::string> format = runtimeArgs(data, block, __func__, item, locals);
    return toBool(format && scan(*format, std::get<std::string>(item->value), locals, __func__));
}
