// The graphical application object of the command-line tool, in a module of its own: only a command that
// reads the screen loads it, and with it Qt Gui.
#include <QGuiApplication>

extern "C" __attribute__((visibility("default"))) QCoreApplication* qvCreateGuiApplication(int* argc,
                                                                                           char** argv)
{
    return new QGuiApplication(*argc, argv);
}
