#include "PellorStartup.h"

#include "core/CPellorApp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    PellorStartup::prepareApplication();
    theApp().InitInstance();
    return theApp().ExitInstance();
}
