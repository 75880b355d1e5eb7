// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "widgets/CaptionButton.h"
#include "widgets/Form.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <functional>

// Helpers to drive the real windows the way a person does.

// The longest a window may take to open or to take a keystroke in a test, whatever its
// files hold: ample for a sanitizer build on a busy machine, short of laying out megabytes.
constexpr qint64 kPromptMs = 2000;

inline qint64 msTaken(const std::function<void()>& action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    return timer.elapsed();
}

inline Lumora::CaptionButton* buttonOf(QWidget* window, const QString& name)
{
    return window ? window->findChild<Lumora::CaptionButton*>(name) : nullptr;
}

inline void click(QWidget* window, const QString& name)
{
    Lumora::CaptionButton* button = buttonOf(window, name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

inline void trigger(QWidget* window, const QString& actionName)
{
    auto* action = window->findChild<QAction*>(actionName);
    QVERIFY2(action, qPrintable(actionName));
    action->trigger();
}

// The program's windows that are on the screen, by name.
inline QStringList visibleWindows()
{
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && qobject_cast<Lumora::Form*>(w))
            names.append(w->objectName());
    }
    names.sort();
    return names;
}

inline Lumora::Form* visibleWindow(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->objectName() == name)
            return qobject_cast<Lumora::Form*>(w);
    }
    return nullptr;
}

// Runs the application's event loop, does `action` inside it and tells whether the
// program ended by itself (true) or was still running after `ms` milliseconds.
inline bool endsProgram(const std::function<void()>& action, int ms = 1000)
{
    QTimer::singleShot(0, qApp, action);
    QTimer::singleShot(ms, qApp, [] { QCoreApplication::exit(99); });
    return QCoreApplication::exec() == 0;
}

// Fails the running test when a button of `window` has a caption that does not fit
// inside its bevel, naming each with the room it needs and the room it has.
inline void verifyCaptionsFit(QWidget* window)
{
    QStringList misfits;
    for (Lumora::CaptionButton* button : window->findChildren<Lumora::CaptionButton*>()) {
        const QRect room = button->captionRect();
        const QRect needed = QFontMetrics(button->font())
                                 .boundingRect(room, Lumora::CaptionButton::kCaptionFlags,
                                               button->caption());
        if (!room.contains(needed))
            misfits.append(QString::asprintf("%s \"%s\" needs %dx%d in %dx%d",
                                             qUtf8Printable(button->objectName()),
                                             qUtf8Printable(button->caption()), needed.width(),
                                             needed.height(), room.width(), room.height()));
    }
    QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(u'\n')));
}
