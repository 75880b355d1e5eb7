// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Form.h"

#include "Elide.h"
#include "Messages.h"
#include "Program.h"
#include "WindowRegistry.h"
#include "files/FileError.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>

namespace Lumora {

namespace {

// How long after the first window appears its icon is decoded: long enough for the
// window to have been drawn on any machine, short enough to go unnoticed.
constexpr auto kIconDelay = std::chrono::milliseconds(250);

} // namespace

Form::Form(Program& program, const QString& name, QSize clientSize, Frame frame)
    : QWidget(nullptr), m_program(program), m_client(new QWidget(this))
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    m_client->setObjectName(QStringLiteral("client"));
    // A plain window with the menu bar over its client area: QMainWindow's machinery
    // for tool bars and docks would only cost start-up time and memory.
    auto* frameLayout = new QVBoxLayout(this);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->setSpacing(0);
    frameLayout->addWidget(m_client);
    if (frame == Frame::Sizable) {
        m_client->setMinimumSize(0, 0);
        resize(clientSize);
        m_client->resize(clientSize);
        setWindowFlags(Qt::Window);
    } else {
        m_client->setFixedSize(clientSize);
        layout()->setSizeConstraint(QLayout::SetFixedSize);
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    }
    // Until its load sets it, a window's title is its own name, never seen.
    setTitle(name);
}

QMenuBar* Form::menuBar()
{
    if (!m_menuBar) {
        m_menuBar = new QMenuBar(this);
        layout()->setMenuBar(m_menuBar);
    }
    return m_menuBar;
}

void Form::placeClientAt(QPoint position)
{
    layout()->activate();
    const QPoint offset = m_client->geometry().topLeft();
    setGeometry(QRect(position - offset, size()));
}

void Form::addNotesHolders()
{
    m_folderHolder = new QLineEdit(m_client);
    m_folderHolder->setObjectName(QStringLiteral("Text1"));
    m_folderHolder->hide();
    m_notesHolder = new QLineEdit(m_client);
    m_notesHolder->setObjectName(QStringLiteral("Text2"));
    m_notesHolder->hide();
}

void Form::openNotes(const QString& name)
{
    try {
        const auto launch = m_program.notes().launch(name);
        m_folderHolder->setText(launch.folder);
        m_notesHolder->setText(name);
    } catch (const FileError& error) {
        Messages::report(this, error);
    }
}

bool Form::saveUnlessChanged(const std::function<void(bool overwrite)>& save,
                             const std::function<void()>& reload)
{
    for (bool overwrite = false;; overwrite = true) {
        try {
            save(overwrite);
            return true;
        } catch (const FileError& error) {
            if (error.kind() != FileError::Kind::ChangedOnDisk || overwrite) {
                Messages::report(this, error);
                return false;
            }
            switch (Messages::askAboutChange(this, error)) {
            case Messages::Change::Overwrite:
                continue;
            case Messages::Change::Reload:
                reload();
                return false;
            case Messages::Change::Cancel:
                return false;
            }
        }
    }
}

void Form::showProgramIcon()
{
    if (m_program.iconDecoded()) {
        setWindowIcon(m_program.icon());
        return;
    }
    // Decoding the icon's pictures is the largest single cost of showing the first
    // window; the icon follows a moment after the window has been drawn.
    QTimer::singleShot(kIconDelay, this, [this] { setWindowIcon(m_program.icon()); });
}

void Form::drawTitle()
{
    setTitle(m_program.captions().draw());
}

void Form::setTitle(const QString& title)
{
    // Given an empty title, Qt shows the program's name in the title bar instead; a zero
    // width space is a title that shows nothing. No title bar shows more than the start
    // of a long one, so no more than that goes to the window system and screen readers.
    setWindowTitle(title.isEmpty() ? QStringLiteral("\u200B") : shortened(title));
}

void Form::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        closesOnEscape()) {
        close();
        return;
    }
    // The menus have no mnemonics; F10 takes the keyboard to the menu bar instead.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::NoModifier &&
        m_menuBar && !m_menuBar->actions().isEmpty()) {
        m_menuBar->setFocus(Qt::ShortcutFocusReason);
        m_menuBar->setActiveAction(m_menuBar->actions().first());
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        m_program.windows().forget(this);
}

} // namespace Lumora
