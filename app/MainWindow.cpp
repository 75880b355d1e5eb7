// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "MainWindow.h"

#include "Shell.h"
#include "categories/Catalogue.h"
#include "music/MusicPlayer.h"
#include "slots/SlotTable.h"
#include "widgets/ButtonRow.h"
#include "widgets/CaptionButton.h"
#include "widgets/Look.h"
#include "widgets/Picture.h"
#include "widgets/WindowRegistry.h"

#include <QEvent>
#include <QMenuBar>

#include <array>

namespace Lumora {

namespace {

constexpr QSize kClientSize(637, 465);
constexpr QPoint kClientPosition(157, 151);
constexpr QRect kBackground(0, 0, 636, 449);
constexpr QRect kBanner(168, 40, 302, 85);
constexpr int kButtonHeight = 41;

struct Column
{
    int left;
    int width;
};
constexpr std::array<Column, 5> kColumns = {
    {{72, 89}, {160, 97}, {256, 105}, {360, 89}, {448, 89}}};
constexpr std::array<int, 5> kRowTops = {128, 168, 208, 248, 288};

enum class Face { Red, BurntOrange, Yellow };
enum class Type {
    Regular, // the application font; a slot button turns bold when its slot is named
    Bold,
    Heavy, // small and black, so that "Ten Commendments" fits its button
};
struct Cell
{
    std::string_view button;
    Face face;
    Type type;
};

// The 5 x 5 grid, rows top to bottom: the categories in the middle, the open slots (all
// yellow) around them. What each button opens, and a category's caption, come from the
// catalogue and the slot table.
constexpr std::array<std::array<Cell, 5>, 5> kGrid = {{
    {{{"Command22", Face::Yellow, Type::Regular},
      {"Command23", Face::Yellow, Type::Regular},
      {"Command5", Face::BurntOrange, Type::Bold}, // Head
      {"Command24", Face::Yellow, Type::Regular},
      {"Command25", Face::Yellow, Type::Regular}}},
    {{{"Command20", Face::Yellow, Type::Regular},
      {"Command10", Face::Yellow, Type::Bold},     // All Knowing
      {"Command2", Face::BurntOrange, Type::Bold}, // Trinity Grace
      {"Command11", Face::Yellow, Type::Bold},     // Reward
      {"Command21", Face::Yellow, Type::Regular}}},
    {{{"Command8", Face::Yellow, Type::Regular},
      {"Command6", Face::BurntOrange, Type::Bold},  // Fruits of Spirit - Lord's prayer
      {"Command1", Face::Red, Type::Regular},       // Heart
      {"Command7", Face::BurntOrange, Type::Heavy}, // Ten Commendments
      {"Command9", Face::Yellow, Type::Regular}}},
    {{{"Command16", Face::Yellow, Type::Regular},
      {"Command12", Face::Yellow, Type::Bold},     // Words
      {"Command3", Face::BurntOrange, Type::Bold}, // Faith Hope Love
      {"Command13", Face::Yellow, Type::Bold},     // Wisdom
      {"Command18", Face::Yellow, Type::Regular}}},
    {{{"Command17", Face::Yellow, Type::Regular},
      {"Command14", Face::Yellow, Type::Regular},
      {"Command4", Face::BurntOrange, Type::Bold}, // God's will
      {"Command15", Face::Yellow, Type::Regular},
      {"Command19", Face::Yellow, Type::Regular}}},
}};

QColor colourOf(Face face)
{
    switch (face) {
    case Face::Red:
        return Look::red();
    case Face::BurntOrange:
        return Look::burntOrange();
    case Face::Yellow:
        return Look::yellow();
    }
    return Look::yellow();
}

QFont fontOf(Type type)
{
    switch (type) {
    case Type::Regular:
        return Look::text();
    case Type::Bold:
        return Look::text(Look::Size::Normal, true);
    case Type::Heavy:
        return Look::heavy(Look::Size::Small);
    }
    return Look::text();
}

constexpr int kBottomTop = 368;

} // namespace

MainWindow::MainWindow(Shell& shell)
    : Form(shell, QStringLiteral("Main"), kClientSize),
      m_player(new MusicPlayer(shell.sound(), this)), m_musicFolder(shell.musicFolder())
{
    showProgramIcon();
    // The background picture leaves a strip at the bottom of the window.
    addFramedBackground(client(), kBackground);
    auto* banner = new Picture(QStringLiteral("Image2"),
                               QStringLiteral(":/assets/title-banner.jpg"), client());
    banner->setGeometry(kBanner);

    buildGrid();
    buildBottomRow();
    buildMenu();
    setTabOrder();
    placeClientAt(kClientPosition);
}

CaptionButton* MainWindow::addButton(std::string_view name, QRect geometry)
{
    auto* button = new CaptionButton(qs(name), client());
    button->setGeometry(geometry);
    m_buttons.insert(button->objectName(), button);
    return button;
}

void MainWindow::buildGrid()
{
    for (std::size_t row = 0; row < kGrid.size(); ++row) {
        for (std::size_t column = 0; column < kColumns.size(); ++column) {
            const Cell& cell = kGrid[row][column];
            CaptionButton* button =
                addButton(cell.button, QRect(kColumns[column].left, kRowTops[row],
                                             kColumns[column].width, kButtonHeight));
            button->setFace(colourOf(cell.face));
            button->setFont(fontOf(cell.type));
            if (const CategoryEntry* entry = Catalogue::byButton(button->objectName())) {
                button->setCaption(qs(entry->caption));
                connect(button, &QPushButton::clicked, this,
                        [this, entry] { category_Click(*entry); });
            } else if (const SlotRow* slot = SlotTable::byButton(button->objectName())) {
                // Until the load names it, a slot button shows its own name.
                button->setCaption(button->objectName());
                connect(button, &QPushButton::clicked, this, [this, slot] { slot_Click(*slot); });
            }
        }
    }
}

void MainWindow::buildBottomRow()
{
    // Below the grid, in the standard button face, all bold.
    using enum Look::Size;
    const auto row = [](int left, int width) { return QRect(left, kBottomTop, width, kButtonHeight); };
    const std::array<ButtonPlace<MainWindow>, 6> places = {{
        {"Command29", "Play Music1", row(72, 89), Normal, false, &MainWindow::Command29_Click},
        {"Command30", "Play Music 2", row(160, 89), Normal, false, &MainWindow::Command30_Click},
        {"Command31", "Stop Music", row(248, 49), Normal, false, &MainWindow::Command31_Click},
        {"Command26", "Configuration", row(296, 105), Large, false, &MainWindow::Command26_Click},
        {"Command27", "Help", row(400, 65), Large, false, &MainWindow::Command27_Click},
        {"Command28", "Quit", row(464, 73), Large, false, &MainWindow::Command28_Click},
    }};
    for (CaptionButton* button : addButtons(this, client(), places))
        m_buttons.insert(button->objectName(), button);
}

void MainWindow::buildMenu()
{
    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("HelpMe"));
    const auto add = [&](const QString& name, const QString& caption, void (MainWindow::*slot)()) {
        QAction* action = help->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
    };
    add(QStringLiteral("Conf"), QStringLiteral("Configuration"), &MainWindow::Conf_Click);
    add(QStringLiteral("Music"), QStringLiteral("Music"), &MainWindow::Music_Click);
    add(QStringLiteral("About"), QStringLiteral("About"), &MainWindow::About_Click);
}

void MainWindow::setTabOrder()
{
    // Command2 .. Command28 in ascending order, then the music buttons, then the two
    // buttons that the layout placed first.
    QStringList order;
    for (int n = 2; n <= 28; ++n) {
        if (n != 10)
            order.append(QStringLiteral("Command%1").arg(n));
    }
    order << QStringLiteral("Command29") << QStringLiteral("Command30")
          << QStringLiteral("Command31") << QStringLiteral("Command1")
          << QStringLiteral("Command10");
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(button(order[i - 1]), button(order[i]));
    button(QStringLiteral("Command2"))->setFocus();
}

void MainWindow::Form_Load()
{
    drawTitle();
    const QStringList names = m_program.settings().slotNames();
    for (std::size_t i = 0; i < SlotTable::kRows.size(); ++i) {
        CaptionButton* slot = button(qs(SlotTable::kRows[i].button));
        slot->setCaption(names[qsizetype(i)]);
        slot->setBold(SettingsFiles::isNamed(slot->caption()));
    }
}

void MainWindow::category_Click(const CategoryEntry& entry)
{
    m_program.windows().open(qs(entry.window), this);
}

void MainWindow::slot_Click(const SlotRow& row)
{
    m_program.windows().open(qs(row.window), this);
}

void MainWindow::Command26_Click()
{
    m_program.windows().open(QStringLiteral("Configure"), this);
}

void MainWindow::Command27_Click()
{
    m_program.windows().open(QStringLiteral("MainHelp"), this);
}

void MainWindow::Command28_Click()
{
    m_program.windows().quitProgram();
}

void MainWindow::play(const QString& file, CaptionButton* button)
{
    // Each play button stays disabled until Stop Music, whether the piece is still
    // playing, has ended, or could not be played at all.
    m_player->stop();
    m_player->setSource(m_musicFolder + u'/' + file);
    m_player->play();
    button->setEnabled(false);
}

void MainWindow::Command29_Click()
{
    play(QStringLiteral("music.mid"), button(QStringLiteral("Command29")));
}

void MainWindow::Command30_Click()
{
    play(QStringLiteral("music2.mid"), button(QStringLiteral("Command30")));
}

void MainWindow::Command31_Click()
{
    m_player->stop();
    button(QStringLiteral("Command29"))->setEnabled(true);
    button(QStringLiteral("Command30"))->setEnabled(true);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The music belongs to this window and ends with it.
    m_player->stop();
    Form::closeEvent(event);
}

// The menu entry "Configuration" opens the configuration help, as the Help button does,
// not the configuration window: that is reached by its own button only, and the menu
// is where a user looks for help.
void MainWindow::Conf_Click()
{
    m_program.windows().open(QStringLiteral("MainHelp"), this);
}

void MainWindow::Music_Click()
{
    m_program.windows().open(QStringLiteral("musichelp"), this);
}

void MainWindow::About_Click()
{
    m_program.windows().open(QStringLiteral("aboutthis"), this);
}

} // namespace Lumora
