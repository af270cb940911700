#pragma once

#include <QStringList>

class QCoreApplication;

// The editor speaks English, its texts' own language, or German. oadtool installs no
// translator: scripts read what it prints.
namespace EditorTranslation {

// The user's languages, most wanted first: QLocale::system().uiLanguages(), except that on
// Unix, as for every program of the C library, a C or POSIX message locale (LC_ALL=C) means
// the program's own texts even where LANGUAGE names others.
QStringList System_Languages();

// Whether the user's languages, most wanted first (as QLocale::uiLanguages gives them), ask
// for German before English: the first of the two found decides.
bool Wants_German(const QStringList &ui_languages);

// Installs the editor's German texts and Qt's own on application when ui_languages want
// German; the translators are the application's children. Gives whether the editor's
// texts are German now. Call it before any text is made: texts are translated once.
bool Install(QCoreApplication &application, const QStringList &ui_languages);

} // namespace EditorTranslation
