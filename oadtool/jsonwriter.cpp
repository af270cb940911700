#include "jsonwriter.h"

#include "console.h"
#include "textescape.h"

#include <cassert>
#include <cstring>

namespace Oad {

namespace {

// The most that one step of Text adds: a character as \uXXXX, or four bytes of UTF-8.
constexpr size_t Widest_Character = 6;

} // namespace

TJsonWriter::TJsonWriter(TConsole &console)
    : d_console(console)
    , d_buffer(new char[Capacity])
{}

TJsonWriter::~TJsonWriter()
{
    Flush();
}

void TJsonWriter::Make_Room(size_t size)
{
    assert(size <= Capacity);
    Flush();
}

void TJsonWriter::Indent(int depth)
{
    static const char Spaces[] = "                                                ";
    assert(size_t(4 * depth) < sizeof Spaces);
    Put(Spaces, size_t(4 * depth));
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
    if (level.count++ > 0)
        Put(",\n", 2);
    Indent(d_levels.size());
}

TJsonWriter &TJsonWriter::Key(const char *key)
{
    assert(!d_levels.isEmpty() && !d_levels.last().array && !d_key_pending);
    Level &level = d_levels.last();
    assert(!level.last_key || std::strcmp(level.last_key, key) < 0);
    level.last_key = key;
    // The comma, the indent, the quoted key and the colon in one piece: keys are a good
    // part of all the output.
    const size_t length = std::strlen(key);
    const auto indent = size_t(4 * d_levels.size());
    const size_t size = 2 + indent + 1 + length + 3;
    if (size > Capacity - d_size)
        Make_Room(size);
    char *out = d_buffer.get() + d_size;
    if (level.count++ > 0) {
        *out++ = ',';
        *out++ = '\n';
    }
    std::memset(out, ' ', indent);
    out += indent;
    *out++ = '"';
    std::memcpy(out, key, length);
    out += length;
    std::memcpy(out, "\": ", 3);
    d_size = size_t(out + 3 - d_buffer.get());
    d_key_pending = true;
    return *this;
}

void TJsonWriter::Begin_Object()
{
    Before_Value();
    Put("{\n", 2);
    d_levels.append(Level());
}

void TJsonWriter::Begin_Array()
{
    Before_Value();
    Put("[\n", 2);
    d_levels.append(Level{true, 0, nullptr});
}

void TJsonWriter::End_Object()
{
    assert(!d_levels.isEmpty() && !d_levels.last().array && !d_key_pending);
    const Level level = d_levels.last();
    d_levels.removeLast();
    if (level.count > 0)
        Put('\n');
    Indent(d_levels.size());
    Put('}');
    if (d_levels.isEmpty()) {
        Put('\n');
        Flush();
    }
}

void TJsonWriter::End_Array()
{
    assert(!d_levels.isEmpty() && d_levels.last().array);
    // Even an empty array closes on a line of its own, as QJsonDocument writes it.
    const Level level = d_levels.last();
    d_levels.removeLast();
    if (level.count > 0)
        Put('\n');
    Indent(d_levels.size());
    Put(']');
}

// Text makes room for Widest_Character before each of these.
void TJsonWriter::Append_Escaped(ushort code)
{
    static const char Digits[] = "0123456789abcdef";
    char *const out = d_buffer.get() + d_size;
    out[0] = '\\';
    out[1] = 'u';
    out[2] = Digits[code >> 12];
    out[3] = Digits[(code >> 8) & 0xF];
    out[4] = Digits[(code >> 4) & 0xF];
    out[5] = Digits[code & 0xF];
    d_size += 6;
}

void TJsonWriter::Append_Utf8(uint code)
{
    char *const out = d_buffer.get();
    if (code < 0x800) {
        out[d_size++] = char(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        out[d_size++] = char(0xE0 | (code >> 12));
        out[d_size++] = char(0x80 | ((code >> 6) & 0x3F));
    } else {
        out[d_size++] = char(0xF0 | (code >> 18));
        out[d_size++] = char(0x80 | ((code >> 12) & 0x3F));
        out[d_size++] = char(0x80 | ((code >> 6) & 0x3F));
    }
    out[d_size++] = char(0x80 | (code & 0x3F));
}

// Room for Widest_Character is made before each call.
const QChar *TJsonWriter::Append_Special(const QChar *c, const QChar *end)
{
    const ushort code = c->unicode();
    char *const out = d_buffer.get() + d_size;
    if (code == '"' || code == '\\' || code == '\n' || code == '\t' || code == '\r' ||
        code == '\b' || code == '\f') {
        out[0] = '\\';
        out[1] = code == '\n'   ? 'n'
                 : code == '\t' ? 't'
                 : code == '\r' ? 'r'
                 : code == '\b' ? 'b'
                 : code == '\f' ? 'f'
                                : char(code);
        d_size += 2;
    } else if (TextEscape::Is_Control(code) || TextEscape::Is_Bidi_Format(code)) {
        Append_Escaped(code);
    } else if (c->isHighSurrogate() && c + 1 != end && c[1].isLowSurrogate()) {
        Append_Utf8(QChar::surrogateToUcs4(*c, c[1]));
        return c + 2;
    } else {
        // A lone half of a surrogate pair is no character.
        Append_Utf8(c->isSurrogate() ? uint(QChar::ReplacementCharacter) : code);
    }
    return c + 1;
}

void TJsonWriter::Text(const QString &text)
{
    Before_Value();
    Put('"');
    const auto plain = [](ushort code) {
        return code >= 0x20 && code < 0x7F && code != '"' && code != '\\';
    };
    const QChar *c = text.constData();
    const QChar *const end = c + text.size();
    while (c != end) {
        if (Capacity - d_size <= Widest_Character)
            Flush();
        // Plain ASCII, most of any text, is copied in one run, up to the room for one more
        // character of any kind.
        char *const start = d_buffer.get() + d_size;
        char *const limit = d_buffer.get() + (Capacity - Widest_Character);
        char *out = start;
        while (c != end && out != limit && plain(c->unicode()))
            *out++ = char((c++)->unicode());
        d_size += size_t(out - start);
        if (c != end && !plain(c->unicode()))
            c = Append_Special(c, end);
    }
    Put('"');
}

void TJsonWriter::Number(qint64 number)
{
    Before_Value();
    // Digits from the last, as printf writes them but at a fraction of its cost.
    char digits[24];
    char *first = digits + sizeof digits;
    quint64 magnitude = number < 0 ? 0 - quint64(number) : quint64(number);
    do {
        *--first = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (number < 0)
        *--first = '-';
    Put(first, size_t(digits + sizeof digits - first));
}

void TJsonWriter::Boolean(bool value)
{
    Before_Value();
    Put(value ? "true" : "false");
}

void TJsonWriter::Null()
{
    Before_Value();
    Put("null", 4);
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
    if (d_size == 0)
        return;
    d_console.Out_Raw(QByteArray::fromRawData(d_buffer.get(), int(d_size)));
    d_size = 0;
}

} // namespace Oad
