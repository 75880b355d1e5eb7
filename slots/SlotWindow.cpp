#include "SlotWindow.h"

#include "SlotTable.h"
#include "SlotVerseFile.h"
#include "widgets/CaptionButton.h"
#include "widgets/Look.h"
#include "widgets/Messages.h"
#include "widgets/OneLineEdit.h"
#include "widgets/Picture.h"
#include "widgets/Rule.h"
#include "widgets/Program.h"
#include "widgets/VerseLabel.h"
#include "widgets/WindowRegistry.h"
#include "files/FileError.h"

#include <QLabel>
#include <QLineEdit>

namespace Lumora {

// What sets the fourteen windows apart besides their slot: the client area (pixels at
// 96 dpi) and, in the first window alone, the program's icon.
struct SlotLook {
    int slot;
    int width;
    int height;
    bool icon;
};

namespace {

constexpr std::array<SlotLook, 14> kLooks = {{
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

constexpr int kVerseWidth = 521;
constexpr int kRuleWidth = 528;
// Rows top to bottom: where each verse's box starts, its height as designed, and where
// the rule below it lies. Verses 3 and 4 grow to fit their text; 1, 2 and 5 keep their
// box and cut a long verse off at its bottom.
constexpr std::array<int, 5> kVerseTops = {52, 108, 164, 220, 276};
constexpr std::array<int, 5> kVerseHeights = {33, 33, 29, 29, 65};
constexpr std::array<int, 5> kEditHeights = {33, 33, 33, 33, 41};
constexpr std::array<int, 5> kRuleTops = {96, 152, 208, 256, 360};
constexpr std::array<bool, 5> kGrows = {false, false, true, true, false};

struct ButtonSpec {
    std::string_view name;
    std::string_view caption;
    int width;
};
// Along the bottom edge, left to right.
constexpr std::array<ButtonSpec, 5> kButtons = {{
    {"Command1", "Other Language / Version/Additional", 150},
    {"Command4", "Enter/Modify Verses", 120},
    {"Command2", "Confirm Changes", 110},
    {"Command5", "Help", 70},
    {"Command3", "Exit", 70},
}};
constexpr int kButtonHeight = 41;
constexpr int kButtonGap = 8;
constexpr int kBottomMargin = 16;

} // namespace

const SlotLook* SlotWindow::lookOf(int slot)
{
    for (const SlotLook& look : kLooks) {
        if (look.slot == slot)
            return &look;
    }
    return nullptr;
}

SlotWindow::SlotWindow(Program& program, const SlotRow& row, const SlotLook& look)
    : Form(program, qs(row.window), QSize(look.width, look.height)),
      m_row(row), m_look(look)
{
    if (look.icon)
        showProgramIcon();

    auto* board = new Picture(QStringLiteral("Image1"), QStringLiteral(":/assets/chalkboard.jpg"),
                              client());
    board->setGeometry(client()->rect());

    const int verseLeft = (look.width - kVerseWidth) / 2;
    for (int i = 0; i < SlotVerseFile::kVerseCount; ++i) {
        auto* label = new VerseLabel(QStringLiteral("Label%1").arg(i + 1),
                                     Look::sansSerif(8.25, true), Look::yellow(), client());
        m_labels.append(label);

        auto* edit = new OneLineEdit(QStringLiteral("Text%1").arg(i + 3), client());
        edit->setAccessibleName(QStringLiteral("Verse %1").arg(i + 1));
        edit->setGeometry(verseLeft, kVerseTops[std::size_t(i)], kVerseWidth,
                          kEditHeights[std::size_t(i)]);
        edit->setText(edit->objectName());
        m_edits.append(edit);
    }
    for (int i = 0; i < 5; ++i)
        m_lines.append(new Rule(i, Look::yellow(), client()));

    int left = (look.width - (kButtons.size() - 1) * kButtonGap -
                [] {
                    int sum = 0;
                    for (const ButtonSpec& b : kButtons)
                        sum += b.width;
                    return sum;
                }()) /
               2;
    const int buttonTop = look.height - kBottomMargin - kButtonHeight;
    QWidget* previous = m_edits.last();
    for (const ButtonSpec& place : kButtons) {
        auto* button = new CaptionButton(qs(place.name), client());
        button->setCaption(qs(place.caption));
        button->setFont(Look::sansSerif(8.25, true));
        button->setGeometry(left, buttonTop, place.width, kButtonHeight);
        left += place.width + kButtonGap;
        setTabOrder(previous, button);
        previous = button;
    }
    connect(findChild<CaptionButton*>(QStringLiteral("Command1")), &QPushButton::clicked, this,
            &SlotWindow::Command1_Click);
    connect(findChild<CaptionButton*>(QStringLiteral("Command2")), &QPushButton::clicked, this,
            &SlotWindow::Command2_Click);
    connect(findChild<CaptionButton*>(QStringLiteral("Command3")), &QPushButton::clicked, this,
            &SlotWindow::Command3_Click);
    connect(findChild<CaptionButton*>(QStringLiteral("Command4")), &QPushButton::clicked, this,
            &SlotWindow::Command4_Click);
    connect(findChild<CaptionButton*>(QStringLiteral("Command5")), &QPushButton::clicked, this,
            &SlotWindow::Command5_Click);

    // The load and the save leave the data folder they read in Text1 too.
    addNotesHolders();
}

void SlotWindow::Form_Load()
{
    setWindowTitle(m_program.captions().draw());
    for (QLineEdit* edit : std::as_const(m_edits))
        edit->hide();
    folderHolder()->setText(m_program.settings().dataFolder());
    const QStringList verses = SlotVerseFile::read(folderHolder()->text(), m_row.slot);
    for (qsizetype i = 0; i < m_edits.size(); ++i) {
        m_edits[i]->setText(verses[i]);
        m_edits[i]->setCursorPosition(0);
        m_labels[i]->setText(m_edits[i]->text());
    }
    layOutLabels();
}

void SlotWindow::layOutLabels()
{
    // Verses 3 and 4 grow downwards to show a long verse whole; what lies below moves
    // down with them, and nothing reaches into the button row: there it is cut off.
    const int left = (m_look.width - kVerseWidth) / 2;
    const int ruleLeft = (m_look.width - kRuleWidth) / 2;
    const int limit = m_look.height - kBottomMargin - kButtonHeight - 4;
    int shift = 0;
    for (qsizetype i = 0; i < m_labels.size(); ++i) {
        const auto row = std::size_t(i);
        int height = kVerseHeights[row];
        if (kGrows[row])
            height = std::max(height, m_labels[i]->heightForWidth(kVerseWidth));
        const int top = kVerseTops[row] + shift;
        const int grown = height - kVerseHeights[row];
        m_labels[i]->setGeometry(left, top, kVerseWidth, std::clamp(limit - top, 0, height));
        const int ruleTop = kRuleTops[row] + shift + grown;
        m_lines[i]->setGeometry(ruleLeft, ruleTop, kRuleWidth, 1);
        m_lines[i]->setVisible(ruleTop < limit);
        shift += grown;
    }
}

void SlotWindow::Command1_Click()
{
    openNotes(SlotTable::notesFile(m_row.slot));
}

void SlotWindow::Command2_Click()
{
    QStringList verses;
    for (QLineEdit* edit : std::as_const(m_edits))
        verses.append(OneLineEdit::oneLine(edit->text()));
    try {
        folderHolder()->setText(m_program.settings().dataFolder());
        SlotVerseFile::write(folderHolder()->text(), m_row.slot, verses);
    } catch (const FileError& error) {
        // Nothing is lost: the window stays as it is, the typing with it.
        Messages::report(this, error);
        return;
    }
    Messages::inform(this, QStringLiteral("Verses have been saved to screen display"));
    m_program.windows().reload(this);
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
    // The boxes stand where the verses were designed to; so do the rules between them.
    const int ruleLeft = (m_look.width - kRuleWidth) / 2;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        m_lines[i]->setGeometry(ruleLeft, kRuleTops[std::size_t(i)], kRuleWidth, 1);
        m_lines[i]->show();
    }
    m_edits.first()->setFocus();
}

void SlotWindow::Command5_Click()
{
    m_program.windows().open(QStringLiteral("help"), this);
}

} // namespace Lumora
