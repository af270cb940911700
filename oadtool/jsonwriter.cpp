#include "jsonwriter.h"

#include "console.h"
#include "textescape.h"

#include <cassert>
#include <cstring>

namespace Oad {

namespace {

// Written out in pieces of about this size: a long text is never held whole as JSON.
constexpr int Piece = 64 * 1024;

} // namespace

TJsonWriter::TJsonWriter(TConsole &console)
    : d_console(console)
{
    d_buffer.reserve(Piece + 64);
}

TJsonWriter::~TJsonWriter()
{
    Flush();
}

void TJsonWriter::Indent(int depth)
{
    d_buffer.append(size_t(4 * depth), ' ');
}

// A value's place: in an array after the previous element, in an object after its key.
void TJsonWriter::Before_Value()
{
    if (d_levels.isEmpty())
        return;
    Level &level = d_levels.last();
    if (!level.array) {
        assert(d_key_pending);
        d_key_pending = false;
        return;
    }
    d_buffer += level.count++ > 0 ? ",\n" : "";
    Indent(d_levels.size());
}

TJsonWriter &TJsonWriter::Key(const char *key)
{
    assert(!d_levels.isEmpty() && !d_levels.last().array && !d_key_pending);
    Level &level = d_levels.last();
    assert(!level.last_key || std::strcmp(level.last_key, key) < 0);
    level.last_key = key;
    d_buffer += level.count++ > 0 ? ",\n" : "";
    Indent(d_levels.size());
    d_buffer += '"';
    d_buffer += key;
    d_buffer += "\": ";
    d_key_pending = true;
    return *this;
}

void TJsonWriter::Begin_Object()
{
    Before_Value();
    d_buffer += "{\n";
    d_levels.append(Level());
}

void TJsonWriter::Begin_Array()
{
    Before_Value();
    d_buffer += "[\n";
    d_levels.append(Level{true, 0, nullptr});
}

void TJsonWriter::End_Object()
{
    assert(!d_levels.isEmpty() && !d_levels.last().array && !d_key_pending);
    const Level level = d_levels.takeLast();
    if (level.count > 0)
        d_buffer += '\n';
    Indent(d_levels.size());
    d_buffer += '}';
    if (d_levels.isEmpty()) {
        d_buffer += '\n';
        Flush();
    }
}

void TJsonWriter::End_Array()
{
    assert(!d_levels.isEmpty() && d_levels.last().array);
    // Even an empty array closes on a line of its own, as QJsonDocument writes it.
    const Level level = d_levels.takeLast();
    if (level.count > 0)
        d_buffer += '\n';
    Indent(d_levels.size());
    d_buffer += ']';
}

void TJsonWriter::Append_Escaped(ushort code)
{
    static const char Digits[] = "0123456789abcdef";
    const char escaped[] = {'\\',
                            'u',
                            Digits[code >> 12],
                            Digits[(code >> 8) & 0xF],
                            Digits[(code >> 4) & 0xF],
                            Digits[code & 0xF]};
    d_buffer.append(escaped, sizeof escaped);
}

void TJsonWriter::Append_Utf8(uint code)
{
    if (code < 0x800) {
        d_buffer += char(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        d_buffer += char(0xE0 | (code >> 12));
        d_buffer += char(0x80 | ((code >> 6) & 0x3F));
    } else {
        d_buffer += char(0xF0 | (code >> 18));
        d_buffer += char(0x80 | ((code >> 12) & 0x3F));
        d_buffer += char(0x80 | ((code >> 6) & 0x3F));
    }
    d_buffer += char(0x80 | (code & 0x3F));
}

void TJsonWriter::Text(const QString &text)
{
    Before_Value();
    d_buffer += '"';
    const QChar *const end = text.constData() + text.size();
    for (const QChar *c = text.constData(); c != end; ++c) {
        const ushort code = c->unicode();
        if (code >= 0x20 && code < 0x7F && code != '"' && code != '\\') {
            d_buffer += char(code);
        } else if (code == '"' || code == '\\') {
            d_buffer += '\\';
            d_buffer += char(code);
        } else if (code == '\n') {
            d_buffer += "\\n";
        } else if (code == '\t') {
            d_buffer += "\\t";
        } else if (code == '\r') {
            d_buffer += "\\r";
        } else if (code == '\b') {
            d_buffer += "\\b";
        } else if (code == '\f') {
            d_buffer += "\\f";
        } else if (TextEscape::Is_Control(code) || TextEscape::Is_Bidi_Format(code)) {
            Append_Escaped(code);
        } else if (c->isHighSurrogate() && c + 1 != end && c[1].isLowSurrogate()) {
            Append_Utf8(QChar::surrogateToUcs4(*c, c[1]));
            ++c;
        } else {
            // A lone half of a surrogate pair is no character.
            Append_Utf8(c->isSurrogate() ? uint(QChar::ReplacementCharacter) : code);
        }
        if (d_buffer.size() >= size_t(Piece))
            Flush();
    }
    d_buffer += '"';
}

void TJsonWriter::Number(qint64 number)
{
    Before_Value();
    d_buffer += std::to_string(number);
}

void TJsonWriter::Boolean(bool value)
{
    Before_Value();
    d_buffer += value ? "true" : "false";
}

void TJsonWriter::Null()
{
    Before_Value();
    d_buffer += "null";
}

void TJsonWriter::Number_Or_Null(std::optional<qint64> number)
{
    if (number)
        Number(*number);
    else
        Null();
}

void TJsonWriter::Flush()
{
    if (d_buffer.empty())
        return;
    d_console.Out_Raw(QByteArray::fromRawData(d_buffer.data(), int(d_buffer.size())));
    d_buffer.clear(); // keeps its room
}

} // namespace Oad
