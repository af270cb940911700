#include "downloadeditor.h"
#include "globalkeyevent.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QIcon>
#include <QStyleFactory>

#include <memory>

int main(int argc, char *argv[])
{
    // The editor paints only widgets and never uses OpenGL. Without this, Qt's X11 platform
    // loads its GLX integration and the GL driver before the first window: that alone more
    // than doubles start-up time and memory. A value the user set is left alone.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    auto application = std::make_unique<QApplication>(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/downloadeditor.png")));

    // Without a parent: it watches the application object and is deleted after the loop.
    auto *key_filter = new TGlobalKeyEvent();
    auto window = std::make_unique<TDownloadEditor>();

    application->installEventFilter(key_filter);
    QObject::connect(key_filter, &TGlobalKeyEvent::Key_Pressed, window.get(),
                     &TDownloadEditor::Key_Pressed);

    window->show();
    window->Open_File(
        TDownloadEditor::Command_Line_File(QCoreApplication::arguments(), QDir::currentPath()));

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
