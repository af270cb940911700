#pragma once

// What several test programs need: files with given bytes, and the window's widgets,
// which carry no object names (the key filter depends on that) and are found by type.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>

#ifdef QT_WIDGETS_LIB
#include "commandline.h"
#include "dialogseam.h"
#include "downloadeditor.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPalette>
#include <QUrl>

#include <utility>
#endif

namespace TestSupport {

inline QByteArray Read_Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool Write_Bytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
           file.write(bytes) == bytes.size();
}

// What a program run to its end gave; status -1 when it did not end by itself.
struct Run_Result
{
    int status = -1;
    QString out;
    QString err;
};

// Runs program in directory with input on standard input; the environment is the test's
// own with the variables named in settings set.
inline Run_Result Run_Program(const QString &directory, const QString &program,
                              const QStringList &arguments, const QByteArray &input,
                              const QList<std::pair<QString, QString>> &settings)
{
    QProcess process;
    process.setWorkingDirectory(directory);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto &[name, value] : settings)
        environment.insert(name, value);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    Run_Result result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.status = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// The one child of type T, which the test relies on being unique.
template <typename T> T *Only_Child(const QObject &parent)
{
    const QList<T *> found = parent.findChildren<T *>();
    return found.size() == 1 ? found.first() : nullptr;
}

#ifdef QT_WIDGETS_LIB

// A dark palette as a desktop gives one (qt5ct's "darker" scheme): light text on dark grounds.
inline QPalette Dark_Palette()
{
    QPalette palette(QColor(0x42, 0x42, 0x45), QColor(0x22, 0x20, 0x20));
    const std::pair<QPalette::ColorRole, QRgb> roles[] = {
        {QPalette::WindowText, 0xffffff}, {QPalette::Text, 0xffffff},
        {QPalette::ButtonText, 0xffffff}, {QPalette::Base, 0x3d3d3d},
        {QPalette::Dark, 0x302f2e},       {QPalette::Shadow, 0xe7e4e0},
        {QPalette::Highlight, 0x12608a},  {QPalette::HighlightedText, 0xf9f9f9}};
    for (const auto &[role, rgb] : roles)
        palette.setColor(role, QColor(rgb));
    return palette;
}

// The line edits below editor that the window shows: per panel integer, hexadecimal and
// millimetres, then the plain-text editor.
inline QList<QLineEdit *> Shown_Views(const QWidget &editor)
{
    QList<QLineEdit *> views;
    for (QLineEdit *view : editor.findChildren<QLineEdit *>())
        if (view->isVisibleTo(editor.window()))
            views += view;
    return views;
}

// The line list's canvas: the one plain QWidget among its direct children.
inline QWidget *Canvas_Of(const QWidget &lines)
{
    for (QWidget *child : lines.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (child->metaObject() == &QWidget::staticMetaObject)
            return child;
    return nullptr;
}

// A drop reaches a window only after the drag has entered it. The window opens the file
// once the drop has returned: with deliver, that posted call is made here.
inline void Drop(QWidget &window, const QList<QUrl> &urls, bool deliver = true)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    if (deliver)
        QCoreApplication::sendPostedEvents(&window, QEvent::MetaCall);
}

// Opens path as the user would: "dialog", "drop", "reference" (the toolbar's comparison,
// found by what it tells the user), or "--compare" and "command line", named relative to the
// working directory as on a command line.
inline void Open_By(TDownloadEditor &window, const QString &way, const QString &path,
                    const QString &directory)
{
    const QString named = QDir(directory).relativeFilePath(path);
    if (way == QLatin1String("dialog") || way == QLatin1String("reference"))
        TDialogSeam::Set_Next_File_Name(path);
    if (way == QLatin1String("dialog"))
        window.Read_File();
    else if (way == QLatin1String("drop"))
        Drop(window, {QUrl::fromLocalFile(path)});
    else if (way == QLatin1String("--compare"))
        window.Compare_File(
            EditorCommandLine::Read({"downloadeditor", "--compare", named}, directory)
                .compare_reference);
    else if (way == QLatin1String("command line"))
        window.Open_File(EditorCommandLine::Download_File({"downloadeditor", named}, directory));
    for (QAction *action : window.findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly))
        if (way == QLatin1String("reference") &&
            action->toolTip() == QLatin1String("Compare with a reference file"))
            action->trigger();
}

#endif

} // namespace TestSupport
