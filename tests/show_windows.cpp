// Opens the named windows of a real Lumora on an application folder, for looking at
// them in an X server: show-windows APP_FOLDER [WINDOW[@X,Y] ...]
// A window given without a place opens where the window system puts it.
#include "app/Look.h"
#include "app/Shell.h"
#include "app/WindowRegistry.h"
#include "app/Form.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Lumora::Look::apply(app);
    if (argc < 2)
        return 2;
    Lumora::Shell shell(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const QStringList parts = QString::fromLocal8Bit(argv[i]).split(u'@');
        Lumora::Form* form = shell.windows().open(parts.first());
        if (form && parts.size() == 2) {
            const QStringList xy = parts[1].split(u',');
            form->move(xy.value(0).toInt(), xy.value(1).toInt());
        }
    }
    return QApplication::exec();
}
