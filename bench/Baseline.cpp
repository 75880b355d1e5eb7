// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
// For reference: a bare Qt Widgets program showing one fixed 637 x 465 window with one
// stretched JPEG and no text, so no font is ever loaded: the shape of Lumora's main
// window without anything of it.
#include "Stretched.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Stretched window;
    window.setFixedSize(637, 465);
    window.setWindowTitle(QStringLiteral("Baseline"));
    window.show();
    return QApplication::exec();
}
