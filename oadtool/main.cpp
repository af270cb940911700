#include "commandline.h"
#include "console.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextCodec>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments;
#ifdef Q_OS_UNIX
    // A file name is bytes. Read one character per byte, every name reaches the file system
    // exactly as given, also one that is not valid in the locale's encoding.
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    for (int i = 1; i < argc; ++i)
        arguments.append(QFile::decodeName(argv[i]));
#else
    arguments = application.arguments().mid(1);
#endif
    QFile out;
    QFile err;
    out.open(fileno(stdout), QIODevice::WriteOnly);
    err.open(fileno(stderr), QIODevice::WriteOnly | QIODevice::Unbuffered);
    Oad::TConsole console(out, err);
    return console.Finish(Oad::Run(arguments, console));
}
