// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
// The floor for Lumora's start-up and memory: Lumora's main window written in plain Qt,
// as a Qt programmer would at first, with stock widgets and nothing read from a file. A
// 637 x 465 window with a menu bar holding a Help menu, the stretched background
// picture, the 5 x 5 grid of captioned buttons (coloured, most bold) and the bottom row
// of six. Lumora draws its own buttons, reads its settings and draws its title from a
// file; this tells what of its start-up and memory Qt itself asks for such a window.
#include "Stretched.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

#include <array>

namespace {

QPushButton* button(const char* caption, QRect geometry, const QColor& face, bool bold,
                    QWidget* parent)
{
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setGeometry(geometry);
    QPalette p = b->palette();
    p.setColor(QPalette::Button, face);
    b->setPalette(p);
    QFont f = b->font();
    f.setBold(bold);
    b->setFont(f);
    return b;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Plain"));
    QMenu* help = window.menuBar()->addMenu(QStringLiteral("Help"));
    help->addAction(QStringLiteral("Configuration"));
    help->addAction(QStringLiteral("Music"));
    help->addAction(QStringLiteral("About"));
    auto* client = new Stretched(QRect(0, 0, 636, 449));
    client->setFixedSize(637, 465);
    window.setCentralWidget(client);

    const QColor red(255, 0, 0), orange(192, 64, 0), yellow(255, 255, 0);
    struct Cell {
        const char* caption;
        QColor face;
        bool bold;
    };
    const Cell open{"open", yellow, false};
    const std::array<std::array<Cell, 5>, 5> grid = {{
        {{open, open, {"Head", orange, true}, open, open}},
        {{open, {"All Knowing", yellow, true}, {"Trinity Grace", orange, true},
          {"Reward", yellow, true}, open}},
        {{open, {"Fruits of Spirit - Lord's prayer", orange, true}, {"Heart", red, false},
          {"Ten Commendments", orange, true}, open}},
        {{open, {"Words", yellow, true}, {"Faith Hope Love", orange, true},
          {"Wisdom", yellow, true}, open}},
        {{open, open, {"God's will", orange, true}, open, open}},
    }};
    const std::array<std::pair<int, int>, 5> columns = {{{72, 89}, {160, 97}, {256, 105}, {360, 89}, {448, 89}}};
    for (std::size_t row = 0; row < grid.size(); ++row) {
        for (std::size_t column = 0; column < columns.size(); ++column) {
            const Cell& cell = grid[row][column];
            button(cell.caption,
                   QRect(columns[column].first, 128 + 40 * int(row), columns[column].second, 41),
                   cell.face, cell.bold, client);
        }
    }
    const QColor face = app.palette().color(QPalette::Button);
    const std::array<std::pair<const char*, QRect>, 6> bottom = {{
        {"Play Music1", {72, 368, 89, 41}},
        {"Play Music 2", {160, 368, 89, 41}},
        {"Stop Music", {248, 368, 49, 41}},
        {"Configuration", {296, 368, 105, 41}},
        {"Help", {400, 368, 65, 41}},
        {"Quit", {464, 368, 73, 41}},
    }};
    for (const auto& [caption, geometry] : bottom)
        button(caption, geometry, face, true, client);
    window.show();
    return QApplication::exec();
}
