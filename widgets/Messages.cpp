// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Messages.h"

#include "files/FileError.h"

#include <QAbstractButton>
#include <QDebug>

namespace Lumora {

namespace {

Messages::Hook& hook()
{
    static Messages::Hook instance;
    return instance;
}

} // namespace

void Messages::setHook(Hook h)
{
    hook() = std::move(h);
}

QMessageBox::StandardButton Messages::show(
    QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
    const QList<std::pair<QMessageBox::StandardButton, QString>>& names,
    QMessageBox::StandardButton byDefault)
{
    if (hook())
        return hook()(text, buttons);
    QMessageBox box(QMessageBox::NoIcon, title(), text, buttons, parent);
    for (const auto& [button, name] : names)
        box.button(button)->setText(name);
    if (byDefault != QMessageBox::NoButton)
        box.setDefaultButton(byDefault);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    return QMessageBox::StandardButton(box.exec());
}

void Messages::inform(QWidget* parent, const QString& text)
{
    show(parent, text, QMessageBox::Ok);
}

bool Messages::ask(QWidget* parent, const QString& text)
{
    return show(parent, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool Messages::ask(QWidget* parent, const QString& text, const QString& yes, const QString& no)
{
    return show(parent, text, QMessageBox::Yes | QMessageBox::No,
                {{QMessageBox::Yes, yes}, {QMessageBox::No, no}},
                QMessageBox::No) == QMessageBox::Yes;
}

void Messages::report(QWidget* parent, const FileError& error)
{
    // Also on the terminal, for a start from one, where a box may go unseen.
    if (!hook())
        qWarning().noquote() << QStringLiteral("Lumora:") << error.message();
    show(parent, error.message(), QMessageBox::Ok);
}

Messages::Change Messages::askAboutChange(QWidget* parent, const FileError& error)
{
    const QString text =
        error.message() +
        QStringLiteral("\n\nOverwrite it with what this window holds, or reload what it holds "
                       "now? Either way, what you typed stays in the window.");
    switch (show(parent, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                 {{QMessageBox::Yes, QStringLiteral("Overwrite")},
                  {QMessageBox::No, QStringLiteral("Reload")}},
                 QMessageBox::Cancel)) {
    case QMessageBox::Yes: return Change::Overwrite;
    case QMessageBox::No: return Change::Reload;
    default: return Change::Cancel;
    }
}

} // namespace Lumora
