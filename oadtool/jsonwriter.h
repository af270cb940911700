#pragma once

#include <QString>
#include <QVarLengthArray>

#include <cstring>
#include <memory>
#include <optional>

namespace Oad {

class TConsole;

// JSON written as it is made, indented by four spaces with the keys of each object in
// alphabetical order, straight to out: no document is built first, so a fleet of files
// costs little more than reading them and a long line costs no copy of itself.
// Strings escape what JSON requires, and also DEL, the C1 controls and the direction marks
// of TextEscape::Is_Bidi_Format as \uXXXX, so that none of them reaches a terminal that
// shows the JSON.
class TJsonWriter
{
public:
    explicit TJsonWriter(TConsole &console);
    ~TJsonWriter();
    TJsonWriter(const TJsonWriter &) = delete;
    TJsonWriter &operator=(const TJsonWriter &) = delete;

    // A value closes with a line feed and is written out when the outermost value ends.
    void Begin_Object();
    void End_Object();
    void Begin_Array();
    void End_Array();

    // The key of the next member of an object; keys come in alphabetical order.
    TJsonWriter &Key(const char *key);

    void Text(const QString &text);
    void Number(qint64 number);
    void Boolean(bool value);
    void Null();
    void Number_Or_Null(std::optional<qint64> number);

private:
    // Written out in pieces of this size: a long text is never held whole as JSON.
    static constexpr size_t Capacity = 64 * 1024;

    struct Level
    {
        bool array = false;
        int count = 0;
        const char *last_key = nullptr;
    };

    void Before_Value();
    // Inline, so that the copies of a few bytes of known size are a move or two.
    void Put(const char *bytes, size_t size)
    {
        if (size > Capacity - d_size)
            Make_Room(size);
        std::memcpy(d_buffer.get() + d_size, bytes, size);
        d_size += size;
    }
    void Put(const char *text) { Put(text, std::strlen(text)); }
    void Put(char c) { Put(&c, 1); }
    void Make_Room(size_t size);
    void Indent(int depth);
    void Append_Escaped(ushort code);
    void Append_Utf8(uint code); // a character from U+0080 on
    // One character that is not plain ASCII, escaped or in UTF-8; returns the next.
    const QChar *Append_Special(const QChar *c, const QChar *end);
    void Flush();

    TConsole &d_console;
    // Most of the output is pieces of a few bytes, copied here without any checks but one
    // for room; the buffer goes out when it is full and when the outermost value ends.
    std::unique_ptr<char[]> d_buffer;
    size_t d_size = 0;
    QVarLengthArray<Level, 8> d_levels;
    bool d_key_pending = false;
};

} // namespace Oad
