#include "core/CPellorApp.h"

#include "platform/gui/DialogTemplate.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pellor"));
    QApplication::setApplicationVersion(QStringLiteral("3.1"));
    DialogTemplate::installFontSubstitutions();
    theApp().InitInstance();
    return theApp().ExitInstance();
}
