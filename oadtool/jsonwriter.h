#pragma once

#include <QString>
#include <QVector>

#include <optional>
#include <string>

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
    struct Level
    {
        bool array = false;
        int count = 0;
        const char *last_key = nullptr;
    };

    void Before_Value();
    void Indent(int depth);
    void Append_Escaped(ushort code);
    void Append_Utf8(uint code); // a character from U+0080 on
    void Flush();

    TConsole &d_console;
    std::string d_buffer; // appended to inline: most of the output is short pieces
    QVector<Level> d_levels;
    bool d_key_pending = false;
};

} // namespace Oad
