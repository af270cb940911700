// The yardstick for start-up: the least a Qt Widgets program does to show a window.
#include <QApplication>
#include <QDialog>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare dialog"));
    dialog.show();
    return application.exec();
}
