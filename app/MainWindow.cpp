#include "MainWindow.h"

#include "widgets/CaptionButton.h"
#include "widgets/Look.h"
#include "widgets/Picture.h"
#include "Shell.h"
#include "widgets/WindowRegistry.h"
#include "categories/Catalogue.h"
#include "music/MusicPlayer.h"
#include "slots/SlotTable.h"

#include <QMenuBar>

#include <array>

namespace Lumora {

namespace {

constexpr QSize kClientSize(637, 465);
constexpr QPoint kClientPosition(157, 151);
constexpr int kButtonHeight = 41;

struct Column {
    int left;
    int width;
};
constexpr std::array<Column, 5> kColumns = {{{72, 89}, {160, 97}, {256, 105}, {360, 89}, {448, 89}}};
constexpr std::array<int, 5> kRowTops = {128, 168, 208, 248, 288};

// The 5 x 5 grid, rows top to bottom: category buttons in the middle, slot buttons
// around them. What each button opens comes from the catalogue and the slot table.
constexpr std::array<std::array<std::string_view, 5>, 5> kGrid = {{
    {"Command22", "Command23", "Command5", "Command24", "Command25"},
    {"Command20", "Command10", "Command2", "Command11", "Command21"},
    {"Command8", "Command6", "Command1", "Command7", "Command9"},
    {"Command16", "Command12", "Command3", "Command13", "Command18"},
    {"Command17", "Command14", "Command4", "Command15", "Command19"},
}};

struct BottomButton {
    std::string_view name;
    std::string_view caption;
    int left;
    int width;
    double points;
};
constexpr int kBottomTop = 368;
constexpr std::array<BottomButton, 6> kBottomRow = {{
    {"Command29", "Play Music1", 72, 89, 8.25},
    {"Command30", "Play Music 2", 160, 89, 8.25},
    {"Command31", "Stop Music", 248, 49, 8.25},
    {"Command26", "Configuration", 296, 105, 9.75},
    {"Command27", "Help", 400, 65, 9.75},
    {"Command28", "Quit", 464, 73, 9.75},
}};

// Red for the heart, burnt orange for the other categories of the middle column and
// of "Ten Commendments", yellow for the rest, the open slots among them.
QColor faceOf(std::string_view name)
{
    if (name == "Command1")
        return Look::red();
    for (const std::string_view orange :
         {"Command2", "Command3", "Command4", "Command5", "Command6", "Command7"}) {
        if (name == orange)
            return Look::burntOrange();
    }
    return Look::yellow();
}

} // namespace

MainWindow::MainWindow(Shell& shell)
    : Form(shell, QStringLiteral("Main"), kClientSize),
      m_player(new MusicPlayer(shell.sound(), this))
{
    showProgramIcon();
    // The background picture leaves a strip at the bottom of the window; in the dark of
    // its frame it reads as part of the frame.
    QPalette dark = client()->palette();
    dark.setColor(QPalette::Window, QColor(40, 28, 18));
    client()->setPalette(dark);
    client()->setAutoFillBackground(true);
    auto* background =
        new Picture(QStringLiteral("Image1"), QStringLiteral(":/assets/main-background.jpg"), client());
    background->setGeometry(0, 0, 636, 449);
    auto* banner =
        new Picture(QStringLiteral("Image2"), QStringLiteral(":/assets/title-banner.jpg"), client());
    banner->setGeometry(168, 40, 302, 85);

    buildGrid();
    buildBottomRow();
    buildMenu();
    setTabOrder();
    placeClientAt(kClientPosition);
}

CaptionButton* MainWindow::addButton(const QString& name, QRect geometry)
{
    auto* button = new CaptionButton(name, client());
    button->setGeometry(geometry);
    m_buttons.insert(name, button);
    return button;
}

void MainWindow::buildGrid()
{
    for (std::size_t row = 0; row < kGrid.size(); ++row) {
        for (std::size_t column = 0; column < kColumns.size(); ++column) {
            const std::string_view name = kGrid[row][column];
            CaptionButton* button = addButton(
                qs(name), QRect(kColumns[column].left, kRowTops[row], kColumns[column].width,
                                kButtonHeight));
            button->setFace(faceOf(name));
            if (const CategoryEntry* entry = Catalogue::byButton(qs(name))) {
                button->setCaption(qs(entry->caption));
                if (name == "Command7")
                    button->setFont(Look::arialBlack(6.75));
                else
                    button->setFont(Look::sansSerif(8.25, name != "Command1"));
                connect(button, &QPushButton::clicked, this,
                        [this, entry] { category_Click(*entry); });
            } else if (const SlotRow* slot = SlotTable::byButton(qs(name))) {
                // Until the load names it, a slot button shows its own name.
                button->setCaption(qs(name));
                button->setFont(Look::sansSerif(8.25));
                connect(button, &QPushButton::clicked, this, [this, slot] { slot_Click(*slot); });
            }
        }
    }
}

void MainWindow::buildBottomRow()
{
    for (const BottomButton& row : kBottomRow) {
        CaptionButton* button =
            addButton(qs(row.name), QRect(row.left, kBottomTop, row.width, kButtonHeight));
        button->setCaption(qs(row.caption));
        button->setFont(Look::sansSerif(row.points, true));
    }
    connect(button(QStringLiteral("Command26")), &QPushButton::clicked, this,
            &MainWindow::Command26_Click);
    connect(button(QStringLiteral("Command27")), &QPushButton::clicked, this,
            &MainWindow::Command27_Click);
    connect(button(QStringLiteral("Command28")), &QPushButton::clicked, this,
            &MainWindow::Command28_Click);
    connect(button(QStringLiteral("Command29")), &QPushButton::clicked, this,
            &MainWindow::Command29_Click);
    connect(button(QStringLiteral("Command30")), &QPushButton::clicked, this,
            &MainWindow::Command30_Click);
    connect(button(QStringLiteral("Command31")), &QPushButton::clicked, this,
            &MainWindow::Command31_Click);
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
    setWindowTitle(m_program.captions().draw());
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
    m_player->setSource(m_program.settings().appFolder() + u'/' + file);
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
