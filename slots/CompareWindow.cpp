// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "CompareWindow.h"

#include "SlotTable.h"
#include "SlotVerseFile.h"
#include "files/FileError.h"
#include "files/RegularFile.h"
#include "files/TextFile.h"
#include "settings/SettingsFiles.h"
#include "widgets/ButtonRow.h"
#include "widgets/CaptionButton.h"
#include "widgets/Look.h"
#include "widgets/Messages.h"
#include "widgets/Program.h"
#include "widgets/WindowRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>

namespace Lumora {

namespace {

constexpr QSize kClient(720, 444);
constexpr QRect kExplanation(16, 8, 688, 50);
constexpr std::array<QRect, 2> kHeadings = {QRect(44, 62, 322, 30), QRect(382, 62, 322, 30)};
constexpr int kRowTop = 96;
constexpr int kRowStep = 56;
constexpr int kRowHeight = 48;
constexpr QRect kMark(16, 0, 24, kRowHeight);
constexpr std::array<QRect, 2> kLines = {QRect(44, 0, 322, kRowHeight),
                                         QRect(382, 0, 322, kRowHeight)};
constexpr QRect kStatus(16, 372, 688, 20);

// The faces of the lines: one still to be taken, one taken, one passed over.
const QColor kOpen(255, 232, 170);
const QColor kTaken(190, 230, 190);
const QColor kPassed(225, 225, 225);

} // namespace

CompareWindow::CompareWindow(Program& program, const SlotRow& row)
    : Form(program, nameFor(row), kClient), m_row(row)
{
    // The answer to a question: the slot window waits for it.
    setWindowModality(Qt::ApplicationModal);
    const auto label = [this](const QString& name, const QRect& place, const QFont& font) {
        auto* text = new QLabel(client());
        text->setObjectName(name);
        text->setTextFormat(Qt::PlainText);
        text->setWordWrap(true);
        text->setFont(font);
        text->setGeometry(place);
        return text;
    };
    m_explanation = label(QStringLiteral("Label1"), kExplanation, Look::text());
    for (std::size_t side = 0; side < kHeadings.size(); ++side) {
        m_headings.append(label(QStringLiteral("Label%1").arg(side + 2), kHeadings[side],
                                Look::text(Look::Size::Normal, true)));
    }
    for (int i = 0; i < SlotVerseFile::kVerseCount; ++i) {
        const int top = kRowTop + i * kRowStep;
        QLabel* mark = label(QStringLiteral("Label4"), kMark.translated(0, top),
                             Look::heavy(Look::Size::Large));
        mark->setProperty("index", i);
        QPalette ink = mark->palette();
        ink.setColor(QPalette::WindowText, Look::burntOrange());
        mark->setPalette(ink);
        mark->setAlignment(Qt::AlignCenter);
        m_marks.append(mark);
        for (int side = 0; side < 2; ++side) {
            auto* line = new CaptionButton(QStringLiteral("Option%1").arg(side + 1), client());
            line->setProperty("index", i);
            line->setCheckable(true);
            line->setFont(Look::text());
            line->setGeometry(kLines[std::size_t(side)].translated(0, top));
            // A line that is the same on both sides cannot be taken, but is read all the same.
            QPalette readable = line->palette();
            readable.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(80, 80, 80));
            line->setPalette(readable);
            connect(line, &QPushButton::clicked, this,
                    [this, i, side] { take(i, side == 0 ? Side::Left : Side::Right); });
            m_lines[side].append(line);
        }
    }
    m_status = label(QStringLiteral("Label5"), kStatus, Look::text());
    // The captions of Command3 and Command4 say what the two sides are once they are known.
    const std::array<ButtonPlace<CompareWindow>, 4> places = {{
        {"Command3", "", QRect(16, 400, 170, 32), Look::Size::Normal, false,
         &CompareWindow::Command3_Click},
        {"Command4", "", QRect(194, 400, 170, 32), Look::Size::Normal, false,
         &CompareWindow::Command4_Click},
        {"Command1", "Save", QRect(458, 400, 120, 32), Look::Size::Normal, false,
         &CompareWindow::Command1_Click},
        {"Command2", "Keep Both", QRect(584, 400, 120, 32), Look::Size::Normal, false,
         &CompareWindow::Command2_Click},
    }};
    m_buttons = addButtons(this, client(), places);
}

QString CompareWindow::nameFor(const SlotRow& row)
{
    return QStringLiteral("Compare%1").arg(row.slot);
}

const SlotRow* CompareWindow::rowOf(QStringView name)
{
    if (!name.startsWith(u"Compare"))
        return nullptr;
    bool number = false;
    const int slot = name.mid(7).toInt(&number);
    return number ? Lumora::rowOf(SlotTable::kRows, slot, &SlotRow::slot) : nullptr;
}

void CompareWindow::Form_Load()
{
    readFile();
    const QString file = SlotTable::verseFile(m_row.slot);
    setTitle(QStringLiteral("Two versions of %1").arg(file));
    showSides(QString(), file, file);
    m_buttons[3]->setFocus();
}

void CompareWindow::readFile()
{
    m_folder = m_program.settings().dataFolder();
    try {
        m_file = SlotVerseFile::read(m_folder, m_row.slot, &m_seen);
    } catch (const FileError& error) {
        if (error.kind() != FileError::Kind::FileNotFound)
            throw;
        m_file = QStringList(SlotVerseFile::kVerseCount, QString());
        m_seen = FileState::absent();
    }
}

void CompareWindow::compareWithTyping(const QStringList& typed)
{
    m_copy.clear();
    m_left = typed;
    m_right = m_file;
    const QString file = SlotTable::verseFile(m_row.slot);
    setTitle(QStringLiteral("%1 was changed on disk").arg(file));
    showSides(QStringLiteral("Another program, a sync tool say, changed %1 after this window "
                             "read it. Take each marked line from this window or from the file "
                             "as it is now, then Save. Keep Both writes nothing and leaves what "
                             "you typed in the window.")
                  .arg(file),
              QStringLiteral("This window"),
              m_seen.exists() ? QStringLiteral("%1 on disk now").arg(file)
                              : QStringLiteral("%1 on disk now: gone").arg(file));
}

bool CompareWindow::compareWithCopy(const QString& name, const QString& tool)
{
    m_copy = dataFilePath(m_folder, name);
    try {
        m_right =
            TextFile::readLines(m_copy, SlotVerseFile::kVerseCount, Encoding::Cp1252, &m_copySeen);
    } catch (const FileError& error) {
        Messages::report(this, error);
        close();
        return false;
    }
    m_left = m_file;
    const QString file = SlotTable::verseFile(m_row.slot);
    setTitle(QStringLiteral("%1 and a copy %2 left").arg(file, tool));
    showSides(QStringLiteral("%1 left %2 beside %3: the verses of a save that met another "
                             "computer's save. Take each marked line from either, then Save. "
                             "Keep Both leaves both files as they are.")
                  .arg(tool, name, file),
              file, name);
    return true;
}

void CompareWindow::showSides(const QString& explanation, const QString& left, const QString& right)
{
    if (m_left.isEmpty())
        m_left = m_right = m_file;
    m_explanation->setText(explanation);
    m_headings[0]->setText(left);
    m_headings[1]->setText(right);
    m_buttons[0]->setCaption(m_copy.isEmpty() ? QStringLiteral("Take All Of This Window")
                                              : QStringLiteral("Take All Of The File"));
    m_buttons[1]->setCaption(m_copy.isEmpty() ? QStringLiteral("Take All On Disk")
                                              : QStringLiteral("Take All Of The Copy"));
    for (int i = 0; i < SlotVerseFile::kVerseCount; ++i) {
        m_lines[0][i]->setCaption(m_left[i]);
        m_lines[1][i]->setCaption(m_right[i]);
        m_lines[0][i]->setAccessibleDescription(left);
        m_lines[1][i]->setAccessibleDescription(right);
    }
    m_taken.fill(Side::None);
    showChoices();
}

void CompareWindow::take(int row, Side side)
{
    if (differs(row))
        m_taken[std::size_t(row)] = side;
    showChoices();
}

void CompareWindow::showChoices()
{
    int marked = 0;
    int taken = 0;
    for (int i = 0; i < SlotVerseFile::kVerseCount; ++i) {
        const Side side = m_taken[std::size_t(i)];
        const bool differ = differs(i);
        marked += differ;
        taken += side != Side::None;
        // Marked in words, not by colour alone.
        m_marks[i]->setText(differ ? QStringLiteral("\u2260") : QString());
        m_marks[i]->setAccessibleName(differ ? QStringLiteral("Line %1 differs").arg(i + 1)
                                             : QStringLiteral("Line %1 is the same").arg(i + 1));
        for (int s = 0; s < 2; ++s) {
            CaptionButton* line = m_lines[s][i];
            const bool mine = side == (s == 0 ? Side::Left : Side::Right);
            line->setEnabled(differ);
            line->setChecked(mine);
            line->setFace(!differ              ? palette().color(QPalette::Button)
                          : side == Side::None ? kOpen
                          : mine               ? kTaken
                                               : kPassed);
        }
    }
    if (marked == 0) {
        m_status->setText(QStringLiteral("The two sides hold the same five lines."));
    } else {
        m_status->setText(QStringLiteral("%1 of the %2 marked lines taken.%3")
                              .arg(taken)
                              .arg(marked)
                              .arg(m_copy.isEmpty() && taken < marked
                                       ? QStringLiteral(" Save needs a side for each.")
                                       : QString()));
    }
    // Lines not taken keep what the file holds; the typing of this window is not given up
    // unasked.
    m_buttons[2]->setEnabled(!m_copy.isEmpty() || allTaken());
}

bool CompareWindow::allTaken() const
{
    for (int i = 0; i < SlotVerseFile::kVerseCount; ++i) {
        if (differs(i) && m_taken[std::size_t(i)] == Side::None)
            return false;
    }
    return true;
}

QStringList CompareWindow::result() const
{
    QStringList lines = m_file;
    for (int i = 0; i < SlotVerseFile::kVerseCount; ++i) {
        if (m_taken[std::size_t(i)] != Side::None)
            lines[i] = m_taken[std::size_t(i)] == Side::Left ? m_left[i] : m_right[i];
    }
    return lines;
}

void CompareWindow::Command1_Click()
{
    const QStringList lines = result();
    try {
        // A file that would not change is not written: a sync tool then carries nothing.
        if (lines != m_file || !m_seen.exists())
            SlotVerseFile::write(m_folder, m_row.slot, lines, m_seen);
    } catch (const FileError& error) {
        if (error.kind() != FileError::Kind::ChangedOnDisk) {
            Messages::report(this, error);
            return;
        }
        Messages::inform(this, error.message() +
                                   QStringLiteral("\n\nThis window now shows it as it is: take "
                                                  "the marked lines again."));
        try {
            readFile();
        } catch (const FileError& again) {
            Messages::report(this, again);
            return;
        }
        (m_copy.isEmpty() ? m_right : m_left) = m_file;
        for (int i = 0; i < SlotVerseFile::kVerseCount; ++i)
            m_lines[m_copy.isEmpty() ? 1 : 0][i]->setCaption(m_file[i]);
        m_taken.fill(Side::None);
        showChoices();
        return;
    }
    if (!m_copy.isEmpty() && allTaken())
        removeCopy();
    // The slot window shows what was saved, and looks for copies again.
    Form* slot = m_program.windows().find(qs(m_row.window));
    close();
    if (slot)
        m_program.windows().reopen(slot);
}

void CompareWindow::removeCopy()
{
    const QString name = QFileInfo(m_copy).fileName();
    if (!Messages::ask(this,
                       QStringLiteral("Every line of %1 has been taken or passed over. Remove "
                                      "the copy?")
                           .arg(name),
                       QStringLiteral("Remove Copy"), QStringLiteral("Keep Copy")))
        return;
    try {
        if (RegularFile::stateOf(m_copy) != m_copySeen) {
            Messages::inform(this, QStringLiteral("%1 has changed since it was compared; it "
                                                  "stays where it is.")
                                       .arg(QDir::toNativeSeparators(m_copy)));
            return;
        }
        QFile copy(m_copy);
        if (!copy.remove())
            throw FileError::forWrite(m_copy, copy.errorString());
    } catch (const FileError& error) {
        Messages::report(this, error);
    }
}

void CompareWindow::Command2_Click()
{
    close();
}

void CompareWindow::Command3_Click()
{
    for (int i = 0; i < SlotVerseFile::kVerseCount; ++i)
        take(i, Side::Left);
}

void CompareWindow::Command4_Click()
{
    for (int i = 0; i < SlotVerseFile::kVerseCount; ++i)
        take(i, Side::Right);
}

void CompareWindow::keyPressEvent(QKeyEvent* event)
{
    // Return anywhere but on a button of its own keeps both versions.
    if (CaptionButton::isReturn(event)) {
        Command2_Click();
        return;
    }
    Form::keyPressEvent(event);
}

} // namespace Lumora
