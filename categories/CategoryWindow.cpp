// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "CategoryWindow.h"

#include "Catalogue.h"
#include "widgets/CaptionButton.h"
#include "widgets/Look.h"
#include "widgets/Picture.h"
#include "widgets/Rule.h"
#include "widgets/VerseLabel.h"
#include "widgets/Program.h"
#include "widgets/WindowRegistry.h"

#include <QLabel>
#include <QMenuBar>

namespace Lumora {

// What sets the eleven windows apart besides their verses.
struct CategoryLook {
    std::string_view window;
    std::string_view notesCaption;
    Look::Size labelSize;
    bool starryNight; // yellow verses on the dark blue picture with stars
    int width;        // client area, pixels at 96 dpi
    int height;
    bool boldButtons;
    bool icon;
    // Only the "Heart" window has a menu: a Help entry that opens the tip on its notes
    // button, the first category window a new user is likely to open.
    bool helpMenu;
};

namespace {

constexpr std::string_view kSpaced = "Other Language / Version /Additional";
constexpr std::string_view kTight = "Other Language / Version/Additional";

using enum Look::Size;

// In the catalogue's order, which the static_assert below holds it to.
constexpr std::array<CategoryLook, Catalogue::kEntries.size()> kLooks = {{
    {"Form2", kSpaced, Large, false, 588, 430, true, true, true},
    {"Form3", kSpaced, Large, false, 623, 438, true, true, false},
    {"Form4", kTight, Normal, false, 646, 426, true, true, false},
    {"Form5", kSpaced, Normal, true, 620, 462, true, true, false},
    {"Form6", kTight, Normal, false, 627, 474, true, true, false},
    {"Form7", kTight, Normal, false, 609, 469, true, true, false},
    {"Form8", kTight, Normal, false, 631, 455, true, true, false},
    {"Form9", kTight, Normal, false, 608, 452, false, false, false},
    {"Form10", kTight, Normal, false, 639, 442, true, true, false},
    {"Form11", kTight, Normal, false, 627, 480, true, true, false},
    {"Form12", kTight, Normal, false, 592, 460, true, true, false},
}};
static_assert(sameKeys(kLooks, &CategoryLook::window, Catalogue::kEntries, &CategoryEntry::window),
              "one row of looks for each catalogue entry, in the same order");

constexpr int kLabelWidth = 530;
constexpr int kNarrowLabelWidth = 455; // the three long verses of the starry window
constexpr QSize kButtonSize(153, 41);
constexpr int kSideMargin = 24;
constexpr int kBottomMargin = 12;
constexpr int kTopMargin = 18;
constexpr int kRuleGap = 4; // the least room between two verses: a rule and a pixel each side

// By the window's name rather than by the entry's place in the catalogue, so that a
// window can be made from a copy of an entry.
const CategoryLook& lookOf(const CategoryEntry& entry)
{
    const CategoryLook* look = rowOf(kLooks, entry.window, &CategoryLook::window);
    Q_ASSERT(look);
    return *look;
}

} // namespace

CategoryWindow::CategoryWindow(Program& program, const CategoryEntry& entry)
    : Form(program, qs(entry.window), QSize(lookOf(entry).width, lookOf(entry).height)),
      m_entry(entry), m_look(lookOf(entry))
{
    const CategoryLook& look = m_look;
    if (look.icon)
        showProgramIcon();

    auto* picture = new Picture(QStringLiteral("Image1"),
                                look.starryNight ? QStringLiteral(":/assets/category-stars.jpg")
                                                 : QStringLiteral(":/assets/category-light.jpg"),
                                client());
    picture->setGeometry(client()->rect());

    const QColor ink = look.starryNight ? Look::yellow() : QColor(Qt::black);
    const int verses = entry.verseCount();
    for (int i = 0; i < verses; ++i) {
        auto* label = new VerseLabel(QStringLiteral("Label%1").arg(i + 1),
                                     Look::text(look.labelSize, true), ink, client());
        m_labels.append(label);
    }
    // A rule under every verse of the five-verse windows; only between the verses of
    // the three-verse one.
    const int rules = verses == 5 ? 5 : verses - 1;
    for (int i = 0; i < rules; ++i)
        m_lines.append(new Rule(i, ink, client()));

    const QFont buttonFont = Look::text(Look::Size::Normal, look.boldButtons);
    const int buttonTop = look.height - kBottomMargin - kButtonSize.height();
    auto* notes = new CaptionButton(QStringLiteral("Command1"), client());
    notes->setCaption(qs(look.notesCaption));
    notes->setFont(buttonFont);
    notes->setGeometry(QRect(QPoint(kSideMargin, buttonTop), kButtonSize));
    connect(notes, &QPushButton::clicked, this, &CategoryWindow::Command1_Click);
    auto* exit = new CaptionButton(QStringLiteral("Command3"), client());
    exit->setCaption(QStringLiteral("Exit"));
    exit->setFont(buttonFont);
    exit->setGeometry(
        QRect(QPoint(look.width - kSideMargin - kButtonSize.width(), buttonTop), kButtonSize));
    connect(exit, &QPushButton::clicked, this, &CategoryWindow::Command3_Click);

    addNotesHolders();

    if (look.helpMenu) {
        QAction* help = menuBar()->addAction(QStringLiteral("Help"));
        help->setObjectName(QStringLiteral("help"));
        connect(help, &QAction::triggered, this, &CategoryWindow::help_Click);
    }
    setTabOrder(notes, exit);
}

void CategoryWindow::Form_Load()
{
    drawTitle();
    for (qsizetype i = 0; i < m_labels.size(); ++i)
        m_labels[i]->setVerse(qs(m_entry.verses[std::size_t(i)]));
    layOutVerses();
}

void CategoryWindow::layOutVerses()
{
    // Each verse gets the height its wrapped text needs; the room left over is shared
    // out evenly, with a rule in the middle of the space below each verse. Should the
    // verses need more room than there is, each gets what it needs up to an even share
    // of it, and what the shorter ones leave goes to the longer ones in turn, so that
    // every one shows its first lines.
    const int normalWidth = m_look.starryNight ? kNarrowLabelWidth : kLabelWidth;
    const int width = zoomed(normalWidth);
    const int left = zoomed((m_look.width - normalWidth) / 2);
    const int room =
        zoomed(m_look.height - kBottomMargin - kButtonSize.height() - 2 * kTopMargin);
    QList<int> heights;
    int total = 0;
    for (VerseLabel* label : std::as_const(m_labels)) {
        heights.append(label->heightOfVerse(width, room));
        total += heights.last();
    }
    // However long the verses, each keeps a gap below it for its rule.
    const int forVerses = room - zoomed(kRuleGap) * int(heights.size());
    if (total > forVerses) {
        const QList<int> wanted = heights;
        int spare = forVerses;
        for (int& height : heights) {
            height = std::min(height, forVerses / int(heights.size()));
            spare -= height;
        }
        for (qsizetype i = 0; i < heights.size(); ++i) {
            const int more = std::min(wanted[i] - heights[i], spare);
            heights[i] += more;
            spare -= more;
        }
        total = forVerses - spare;
    }
    const int share = (room - total) / int(m_labels.size());
    int top = zoomed(kTopMargin);
    for (qsizetype i = 0; i < m_labels.size(); ++i) {
        m_labels[i]->fitInto(QRect(left, top, width, heights[i]));
        if (i < m_lines.size())
            m_lines[i]->setGeometry(left, top + heights[i] + share / 2, width, zoomed(1));
        top += heights[i] + share;
    }
}

void CategoryWindow::Command1_Click()
{
    openNotes(qs(m_entry.notesFile));
}

void CategoryWindow::Command3_Click()
{
    close();
}

void CategoryWindow::help_Click()
{
    m_program.windows().open(QStringLiteral("subhelp"), this);
}

} // namespace Lumora
