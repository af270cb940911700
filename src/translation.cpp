#include "translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace EditorTranslation {

QStringList System_Languages()
{
#ifdef Q_OS_UNIX
    // The first of these that is set is the message locale; with none set it is C.
    QByteArray messages = "C";
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (!qEnvironmentVariableIsEmpty(variable)) {
            messages = qgetenv(variable);
            break;
        }
    if (messages == "C" || messages.startsWith("C.") || messages == "POSIX")
        return QStringList();
#endif
    return QLocale::system().uiLanguages();
}

bool Wants_German(const QStringList &ui_languages)
{
    for (const QString &name : ui_languages) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::German)
            return true;
        if (language == QLocale::English)
            return false;
    }
    return false;
}

bool Install(QCoreApplication &application, const QStringList &ui_languages)
{
    if (!Wants_German(ui_languages))
        return false;
    // Qt's texts: standard buttons, file dialogs, --help. Missing, they stay English.
    auto *qt_texts = new QTranslator(&application);
    if (qt_texts->load(QStringLiteral("qtbase_de"),
                       QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt_texts);
    else
        delete qt_texts;
    // The editor's own are built into it.
    auto *editor_texts = new QTranslator(&application);
    if (!editor_texts->load(QStringLiteral(":/translations/downloadeditor_de.qm"))) {
        delete editor_texts;
        return false;
    }
    QCoreApplication::installTranslator(editor_texts);
    return true;
}

} // namespace EditorTranslation
