#include "commandline.h"
#include "downloadeditor.h"
#include "globalkeyevent.h"
#include "translation.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEvent>
#include <QIcon>
#include <QStyleFactory>

#include <memory>

namespace {

// --help and --version need no display: a console application object answers them and ends
// the program, so they work on a text terminal and when the manual page is made at build time.
void Answer_Text_Requests(int &argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    EditorCommandLine::Define(parser);
    // Qt's own options (-platform, -style ...) are unknown here; the window system takes
    // them, and the parser sees the rest once the application object exists.
    if (!parser.parse(arguments) ||
        !(parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version"))))
        return;
    QCoreApplication console(argc, argv);
    EditorTranslation::Install(console, EditorTranslation::System_Languages());
    // Defined again, now that the texts can be translated.
    QCommandLineParser answer;
    EditorCommandLine::Define(answer);
    answer.process(console);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("downloadeditor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DOWNLOADEDITOR_VERSION));
    Answer_Text_Requests(argc, argv);

    // The editor paints only widgets and never uses OpenGL. Without this, Qt's X11 platform
    // loads its GLX integration and the GL driver before the first window: that alone more
    // than doubles start-up time and memory. A value the user set is left alone.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    // Sizes in pixels follow the screen's scale, 125 % and 150 % as well as 200 %, and icons
    // and the cached pictures are drawn at the screen's resolution rather than enlarged.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    auto application = std::make_unique<QApplication>(argc, argv);
    EditorTranslation::Install(*application, EditorTranslation::System_Languages());
    // Unknown options end the program with a message, as on any other.
    QCommandLineParser parser;
    EditorCommandLine::Define(parser);
    parser.process(*application);
    QGuiApplication::setDesktopFileName(QStringLiteral("com.vantor.downloadeditor"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/downloadeditor.png")));

    // Without a parent: it watches the application object and is deleted after the loop.
    auto *key_filter = new TGlobalKeyEvent();
    auto window = std::make_unique<TDownloadEditor>();

    TDownloadEditor::Connect_Key_Filter(key_filter, window.get());

    window->show();
    const EditorCommandLine::Request request =
        EditorCommandLine::Read(QCoreApplication::arguments(), QDir::currentPath());
    window->Open_File(request.file);
    // One that cannot be read is told, as from the toolbar.
    window->Compare_File(request.compare_reference);

    const int result = application->exec();

    application->removeEventFilter(key_filter);
    key_filter->deleteLater();
    // The loop has ended, so run the deferred deletion here rather than never.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Deleting the window also deletes its settings object, which writes settings.ini.
    window.reset();
    application.reset();
    return result;
}
