// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "SlotWindow.h"

#include "CompareWindow.h"
#include "SlotTable.h"
#include "SlotVerseFile.h"
#include "files/ConflictCopies.h"
#include "files/FileError.h"
#include "files/FileState.h"
#include "widgets/ButtonRow.h"
#include "widgets/CaptionButton.h"
#include "widgets/Look.h"
#include "widgets/Messages.h"
#include "widgets/OneLineEdit.h"
#include "widgets/Picture.h"
#include "widgets/Program.h"
#include "widgets/Rule.h"
#include "widgets/VerseLabel.h"
#include "widgets/WindowRegistry.h"

#include <QFileSystemWatcher>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace Lumora {

// What sets the fourteen windows apart besides their slot: the client area (pixels at
// 96 dpi) and, in the first window alone, the program's icon.
struct SlotLook
{
    int slot;
    int width;
    int height;
    bool icon;
};

namespace {

// In the slot table's order, which the static_assert below holds it to.
constexpr std::array<SlotLook, SlotTable::kRows.size()> kLooks = {{
    {2, 617, 465, true},
    {3, 624, 446, false},
    {4, 607, 453, false},
    {5, 612, 447, false},
    {6, 591, 439, false},
    {7, 587, 457, false},
    {8, 598, 466, false},
    {9, 611, 440, false},
    {10, 612, 462, false},
    {11, 613, 445, false},
    {12, 630, 460, false},
    {13, 598, 440, false},
    {14, 625, 457, false},
    {15, 630, 445, false},
}};
static_assert(sameKeys(kLooks, &SlotLook::slot, SlotTable::kRows, &SlotRow::slot),
              "one row of looks for each slot, in the same order");

constexpr int kVerseWidth = 521;
constexpr int kRuleWidth = 528;
// Rows top to bottom: where each verse's box starts, its height before any growing,
// and where the rule below it lies. Verses 3 and 4 grow to fit their text;
// 1, 2 and 5 keep their box and cut a long verse off at its bottom.
constexpr std::array<int, SlotVerseFile::kVerseCount> kVerseTops = {52, 108, 164, 220, 276};
constexpr std::array<int, SlotVerseFile::kVerseCount> kVerseHeights = {33, 33, 29, 29, 65};
constexpr std::array<int, SlotVerseFile::kVerseCount> kEditHeights = {33, 33, 33, 33, 41};
constexpr std::array<int, SlotVerseFile::kVerseCount> kRuleTops = {96, 152, 208, 256, 360};
constexpr std::array<bool, SlotVerseFile::kVerseCount> kGrows = {false, false, true, true, false};
// In edit mode, the gap between a box and the rule under it.
constexpr int kRuleBelowBox = 11;

constexpr int kButtonHeight = 41;
constexpr int kButtonGap = 8;
// The green of the chalkboard picture (575 x 350 pixels) inside its wooden frame; the
// button row stands within it, in the narrowest windows too.
constexpr QSize kPictureSize(575, 350);
constexpr int kFrameLeft = 22;
constexpr int kFrameRight = 22;
constexpr int kBottomMargin = 16;
// The gap kept between the verses and the button row.
constexpr int kAboveButtons = 4;

const SlotLook& lookOf(const SlotRow& row)
{
    return rowBeside(kLooks, SlotTable::kRows, row);
}

} // namespace

SlotWindow::SlotWindow(Program& program, const SlotRow& row)
    : Form(program, qs(row.window), QSize(lookOf(row).width, lookOf(row).height)), m_row(row),
      m_look(lookOf(row))
{
    if (m_look.icon)
        showProgramIcon();

    auto* board =
        new Picture(QStringLiteral("Image1"), QStringLiteral(":/assets/chalkboard.jpg"), client());
    board->setGeometry(client()->rect());

    const int verseLeft = (m_look.width - kVerseWidth) / 2;
    for (int i = 0; i < SlotVerseFile::kVerseCount; ++i) {
        auto* label =
            new VerseLabel(QStringLiteral("Label%1").arg(i + 1),
                           Look::text(Look::Size::Normal, true), Look::yellow(), client());
        m_labels.append(label);

        auto* edit = new OneLineEdit(QStringLiteral("Text%1").arg(i + 3), client());
        edit->setAccessibleName(QStringLiteral("Verse %1").arg(i + 1));
        edit->setGeometry(verseLeft, kVerseTops[std::size_t(i)], kVerseWidth,
                          kEditHeights[std::size_t(i)]);
        edit->setText(edit->objectName());
        m_edits.append(edit);
        m_lines.append(new Rule(i, Look::yellow(), client()));
    }

    // Along the bottom edge, left to right, centred.
    const auto wide = [](int width) { return QRect(0, 0, width, kButtonHeight); };
    const std::array<ButtonPlace<SlotWindow>, 5> places = {{
        {"Command1", "Other Language / Version/Additional", wide(150), Look::Size::Normal, false,
         &SlotWindow::Command1_Click},
        {"Command4", "Enter/Modify Verses", wide(120), Look::Size::Normal, false,
         &SlotWindow::Command4_Click},
        {"Command2", "Confirm Changes", wide(110), Look::Size::Normal, false,
         &SlotWindow::Command2_Click},
        {"Command5", "Help", wide(60), Look::Size::Normal, false, &SlotWindow::Command5_Click},
        {"Command3", "Exit", wide(60), Look::Size::Normal, false, &SlotWindow::Command3_Click},
    }};
    const auto buttons = addButtons(this, client(), places);
    const int boardLeft = kFrameLeft * m_look.width / kPictureSize.width();
    const int boardWidth =
        m_look.width - (kFrameLeft + kFrameRight) * m_look.width / kPictureSize.width();
    centreInRow(buttons, boardLeft, boardWidth, m_look.height - kBottomMargin - kButtonHeight,
                kButtonGap);
    QWidget* previous = m_edits.last();
    for (CaptionButton* button : buttons) {
        setTabOrder(previous, button);
        previous = button;
    }

    // The load and the save leave the data folder they read in Text1 too.
    addNotesHolders();
}

void SlotWindow::Form_Load()
{
    drawTitle();
    for (QLineEdit* edit : std::as_const(m_edits))
        edit->hide();
    load();
    // Said over the window once it is on the screen, and again for each copy that comes
    // while it is open (once the sync tool has done, a moment after the folder changed).
    QTimer::singleShot(0, this, &SlotWindow::offerConflictCopies);
    m_lookAgain = new QTimer(this);
    m_lookAgain->setSingleShot(true);
    m_lookAgain->setInterval(300);
    connect(m_lookAgain, &QTimer::timeout, this, &SlotWindow::offerConflictCopies);
    m_watcher = new QFileSystemWatcher(this);
    m_watcher->addPath(m_folder.isEmpty() ? QStringLiteral("/") : m_folder);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_lookAgain,
            qOverload<>(&QTimer::start));
}

void SlotWindow::load()
{
    m_folder = m_program.settings().dataFolder();
    folderHolder()->setText(m_folder);
    const QStringList verses = SlotVerseFile::read(m_folder, m_row.slot, &m_seen);
    for (qsizetype i = 0; i < m_edits.size(); ++i) {
        m_edits[i]->setLine(verses[i]);
        m_edits[i]->setCursorPosition(0);
        m_labels[i]->setVerse(verses[i]);
    }
    layOutLabels();
}

void SlotWindow::offerConflictCopies()
{
    const QString file = SlotTable::verseFile(m_row.slot);
    const QList<ConflictCopies::Copy> copies = ConflictCopies::find(m_folder, file);
    bool news = false;
    for (const ConflictCopies::Copy& copy : copies) {
        if (!m_toldOf.contains(copy.name)) {
            news = true;
            m_toldOf.append(copy.name);
        }
    }
    // Not while a comparison is open: its end loads the window again, which looks again.
    if (!news || m_program.windows().find(CompareWindow::nameFor(m_row)))
        return;
    QString text;
    if (copies.size() == 1) {
        text = QStringLiteral("%1 has left another version of these verses beside %2:\n%3\n\n")
                   .arg(copies.first().tool, file, copies.first().name);
    } else {
        QStringList names;
        for (const ConflictCopies::Copy& copy : copies)
            names.append(copy.name);
        text = QStringLiteral("Sync tools have left %1 other versions of these verses beside "
                              "%2:\n%3\n\n")
                   .arg(QString::number(copies.size()), file, names.join(u'\n'));
    }
    text += copies.size() == 1
                ? QStringLiteral("It holds what one computer saved while another saved too. "
                                 "Compare it with %1 now? ")
                      .arg(file)
                : QStringLiteral("Each holds what one computer saved while another saved too. "
                                 "Compare the first with %1 now? ")
                      .arg(file);
    text += QStringLiteral("A copy stays where it is until each of its lines has been taken or "
                           "passed over.");
    if (!Messages::ask(this, text, QStringLiteral("Compare"), QStringLiteral("Not Now")))
        return;
    if (CompareWindow* compare = openComparison())
        compare->compareWithCopy(copies.first().name, copies.first().tool);
}

CompareWindow* SlotWindow::openComparison()
{
    return qobject_cast<CompareWindow*>(
        m_program.windows().open(CompareWindow::nameFor(m_row), this));
}

void SlotWindow::layOutLabels()
{
    // Verses 3 and 4 grow downwards to show a long verse whole; what lies below moves
    // down with them. They share the room left above the button row, so that every
    // verse keeps its place and shows at least its first lines; a verse longer than its
    // place ends in "..." (its label says how).
    const int left = zoomed((m_look.width - kVerseWidth) / 2);
    const int ruleLeft = zoomed((m_look.width - kRuleWidth) / 2);
    const int limit = zoomed(m_look.height - kBottomMargin - kButtonHeight - kAboveButtons);
    std::array<int, SlotVerseFile::kVerseCount> wanted{};
    int growers = 0;
    for (std::size_t row = 0; row < wanted.size(); ++row) {
        if (kGrows[row]) {
            wanted[row] = std::max(
                0, m_labels[qsizetype(row)]->heightOfVerse(zoomed(kVerseWidth), limit) -
                       zoomed(kVerseHeights[row]));
            ++growers;
        }
    }
    // An even share first, then what a verse leaves of its share to the others.
    int room = std::max(0, limit - (zoomed(kRuleTops.back()) + zoomed(1)));
    std::array<int, SlotVerseFile::kVerseCount> grown{};
    const int share = growers > 0 ? room / growers : 0;
    for (std::size_t row = 0; row < grown.size(); ++row) {
        grown[row] = std::min(wanted[row], share);
        room -= grown[row];
    }
    for (std::size_t row = 0; row < grown.size(); ++row) {
        const int more = std::min(wanted[row] - grown[row], room);
        grown[row] += more;
        room -= more;
    }
    int shift = 0;
    for (std::size_t row = 0; row < grown.size(); ++row) {
        const auto i = qsizetype(row);
        const QRect box = zoomed(QRect(left, kVerseTops[row], kVerseWidth, kVerseHeights[row]));
        m_labels[i]->fitInto(QRect(left, box.top() + shift, box.width(), box.height() + grown[row]));
        shift += grown[row];
        m_lines[i]->setGeometry(ruleLeft, zoomed(kRuleTops[row]) + shift, zoomed(kRuleWidth),
                                zoomed(1));
    }
}

void SlotWindow::layOutContents()
{
    if (m_editing)
        placeRulesUnderBoxes();
    else
        layOutLabels();
}

void SlotWindow::placeRulesUnderBoxes()
{
    // The boxes keep their places whatever the verses' lengths; a rule lies the same
    // distance under each.
    const int ruleLeft = zoomed((m_look.width - kRuleWidth) / 2);
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        m_lines[i]->setGeometry(ruleLeft,
                                m_edits[i]->geometry().bottom() + 1 + zoomed(kRuleBelowBox),
                                zoomed(kRuleWidth), zoomed(1));
    }
}

void SlotWindow::Command1_Click()
{
    openNotes(SlotTable::notesFile(m_row.slot));
}

void SlotWindow::Command2_Click()
{
    // Text read from the file goes back as it was read; what the user typed or pasted had
    // its line breaks made spaces as it came in.
    QStringList verses;
    for (OneLineEdit* edit : std::as_const(m_edits))
        verses.append(edit->line());
    try {
        const QString folder = m_program.settings().dataFolder();
        folderHolder()->setText(folder);
        // The file this window read must still hold what it read. After the data folder has
        // moved, the save goes to the new folder's file, never read here.
        SlotVerseFile::write(folder, m_row.slot, verses, folder != m_folder ? FileState{} : m_seen);
    } catch (const FileError& error) {
        // Nothing is lost when the save was not made: the window stays, the typing with it.
        if (error.kind() != FileError::Kind::ChangedOnDisk)
            Messages::report(this, error);
        else if (CompareWindow* compare = openComparison())
            compare->compareWithTyping(verses);
        return;
    }
    Messages::inform(this, QStringLiteral("Verses have been saved to screen display"));
    m_program.windows().reopen(this);
}

void SlotWindow::Command3_Click()
{
    close();
}

void SlotWindow::Command4_Click()
{
    m_editing = true;
    for (QLineEdit* edit : std::as_const(m_edits))
        edit->show();
    for (QLabel* label : std::as_const(m_labels))
        label->hide();
    placeRulesUnderBoxes();
    m_edits.first()->setFocus();
}

void SlotWindow::Command5_Click()
{
    m_program.windows().open(QStringLiteral("help"), this);
}

} // namespace Lumora
