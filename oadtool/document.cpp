#include "document.h"

#include "console.h"
#include "options.h"

#include <QFile>
#include <QJsonObject>

#include <cstdio>
#include <cstring>

namespace Oad {

namespace {

// Bytes as a device that QIODevice buffers, so that reading them line by line searches for
// each LF instead of making one call per byte, as it does for QBuffer, which it never
// buffers. Checking many files in one run spends much of its time there otherwise.
class TByteDevice : public QIODevice
{
public:
    explicit TByteDevice(const QByteArray &bytes)
        : d_bytes(bytes)
    {
        open(QIODevice::ReadOnly);
    }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override
    {
        return d_bytes.size() - d_position + QIODevice::bytesAvailable();
    }

protected:
    qint64 readData(char *data, qint64 size) override
    {
        size = qMin(size, qint64(d_bytes.size()) - d_position);
        std::memcpy(data, d_bytes.constData() + d_position, size_t(size));
        d_position += size;
        return size;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    const QByteArray d_bytes;
    qint64 d_position = 0;
};

bool Open(const QString &path, QFile &file)
{
    if (path == QLatin1String("-"))
        return file.open(stdin, QIODevice::ReadOnly);
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
}

// Reads up to one byte past the limit, so a larger file shows itself without being held.
bool Read_Bounded(QFile &file, QByteArray *bytes)
{
    const qint64 limit = DownloadFile::Max_Read_Bytes + 1;
    while (bytes->size() < limit) {
        const QByteArray chunk = file.read(limit - bytes->size());
        if (chunk.isEmpty())
            break;
        *bytes += chunk;
    }
    return file.error() == QFileDevice::NoError;
}

} // namespace

const TParameterTable &Table()
{
    static const TParameterTable table;
    return table;
}

bool Load_Document(const QString &path, Document *document, QString *error)
{
    QFile file;
    document->path = path;
    document->bytes.clear();
    const bool opened = Open(path, file);
    document->identity = opened ? Identity_Of(file) : FileIdentity();
    if (!opened || !Read_Bounded(file, &document->bytes)) {
        *error = QStringLiteral("cannot read %1: %2").arg(Shown_Name(path), file.errorString());
        return false;
    }
    document->complete = document->bytes.size() <= DownloadFile::Max_Read_Bytes;
    TByteDevice device(document->bytes);
    document->content = DownloadFile::Read(device);
    FileChecks::Read_Lines(*document, Table());
    return true;
}

bool Load_Or_Report(const QString &path, Document *document, TConsole &console, bool json)
{
    QString error;
    if (Load_Document(path, document, &error))
        return true;
    console.Complain(error);
    if (json)
        console.Out_Json(QJsonObject{{QStringLiteral("file"), Json_Name(path)},
                                     {QStringLiteral("error"), error}});
    return false;
}

int For_Each_Document(const QStringList &paths, TConsole &console, bool json,
                      const std::function<int(const Document &)> &handle)
{
    int status = Exit_Ok;
    for (const QString &path : paths) {
        Document document;
        if (!Load_Or_Report(path, &document, console, json))
            status = Exit_Trouble;
        else
            status = qMax(status, handle(document));
    }
    return status;
}

Resolution Choose_Resolution(const Document &document, std::optional<int> option)
{
    Resolution resolution;
    if (option) {
        resolution.value = *option;
        resolution.source = Resolution::Source::Option;
    } else if (document.content.scale_resolution > 0) {
        // A line N00 would make every millimetre value infinite; check reports it.
        resolution.value = document.content.scale_resolution;
        resolution.source = Resolution::Source::File;
        resolution.line = document.resolution_line;
    }
    return resolution;
}

QString Source_Name(Resolution::Source source)
{
    switch (source) {
    case Resolution::Source::Default:
        return QStringLiteral("default");
    case Resolution::Source::File:
        return QStringLiteral("file");
    case Resolution::Source::Option:
        return QStringLiteral("option");
    }
    return QString();
}

QString Resolution_Text(const Resolution &resolution)
{
    switch (resolution.source) {
    case Resolution::Source::File:
        return QStringLiteral("%1 (line %2)").arg(resolution.value).arg(resolution.line);
    case Resolution::Source::Option:
        return QStringLiteral("%1 (--resolution)").arg(resolution.value);
    case Resolution::Source::Default:
        break;
    }
    return QStringLiteral("%1 (default)").arg(resolution.value);
}

QString Token_Of(int number)
{
    return QStringLiteral("S%1").arg(QString::number(number, 16).toUpper());
}

QString Indented_Help(const QString &help, int indent)
{
    QString text = help;
    text.replace(QLatin1Char('\n'), QLatin1Char('\n') + QString(indent, QLatin1Char(' ')));
    return text;
}

} // namespace Oad
