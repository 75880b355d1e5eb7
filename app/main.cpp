#include "widgets/Look.h"
#include "app/Shell.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    Lumora::Look::FontWarmUp fonts;
    QApplication app(argc, argv);
    Lumora::Look::apply(app);
    fonts.wait();
    // The settings files live beside the executable, whatever the working folder.
    Lumora::Shell shell(QCoreApplication::applicationDirPath());
    if (!shell.start())
        return 1;
    return QApplication::exec();
}
