// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
// Opens the named windows of a real Lumora on an application folder, for looking at
// them in an X server: show-windows APP_FOLDER [WINDOW[@X,Y][!BUTTON] | zoom=PERCENT ...]
// A window given without a place opens where the window system puts it; !BUTTON
// clicks that button of the window once it is open; zoom= zooms the windows open by then.
#include "widgets/Look.h"
#include "app/Shell.h"
#include "widgets/WindowRegistry.h"
#include "widgets/Form.h"

#include <QAbstractButton>
#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Lumora::Look::apply(app);
    if (argc < 2)
        return 2;
    Lumora::Shell shell(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        if (const QString arg = QString::fromLocal8Bit(argv[i]); arg.startsWith(u"zoom=")) {
            shell.setZoom(arg.mid(5).toInt());
            continue;
        }
        QStringList clicks = QString::fromLocal8Bit(argv[i]).split(u'!');
        const QStringList parts = clicks.takeFirst().split(u'@');
        Lumora::Form* form = shell.windows().open(parts.first());
        if (form && parts.size() == 2) {
            const QStringList xy = parts[1].split(u',');
            form->move(xy.value(0).toInt(), xy.value(1).toInt());
        }
        for (const QString& button : std::as_const(clicks)) {
            if (auto* b = form ? form->findChild<QAbstractButton*>(button) : nullptr)
                b->click();
        }
    }
    return QApplication::exec();
}
