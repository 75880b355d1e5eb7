// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "ConfigureWindow.h"

#include "FolderList.h"
#include "Relocation.h"
#include "Volumes.h"
#include "files/Cp1252.h"
#include "files/FileError.h"
#include "slots/SlotTable.h"
#include "widgets/ButtonRow.h"
#include "widgets/CaptionButton.h"
#include "widgets/Elide.h"
#include "widgets/Look.h"
#include "widgets/Messages.h"
#include "widgets/OneLineEdit.h"
#include "widgets/Picture.h"
#include "widgets/Program.h"
#include "widgets/WindowRegistry.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>

namespace Lumora {

namespace {

constexpr QSize kClientSize(584, 365);
// The main window's background, a little narrower than this window; the dark of its
// frame fills the rest.
constexpr QRect kPicture(0, 0, 580, 385);
constexpr QRect kHeading(160, 48, 265, 49);
constexpr QRect kFolderHolder(480, 64, 57, 25);
constexpr QRect kFolderList(136, 152, 201, 66);
constexpr QRect kDriveList(336, 152, 89, 21);

// The slot-name boxes stand as the slot buttons of the main window do.
struct NameBox
{
    int slot;
    QPoint position;
};
constexpr std::array<NameBox, SlotTable::kRows.size()> kNameBoxes = {{
    {2, {48, 112}},
    {3, {136, 112}},
    {9, {336, 112}},
    {10, {424, 112}},
    {4, {48, 152}},
    {11, {424, 152}},
    {5, {48, 192}},
    {12, {424, 192}},
    {6, {48, 232}},
    {13, {424, 232}},
    {7, {48, 272}},
    {8, {136, 272}},
    {15, {336, 272}},
    {14, {424, 272}},
}};
constexpr QSize kNameBoxSize(89, 41);

// The most of a name a message quotes: enough to tell which it is.
constexpr qsizetype kQuotedName = 100;

// Room the open drive list leaves around the widest name.
constexpr int kDriveListPadding = 8;

const QString kFailed = QStringLiteral(
    "Files not copied.  Please make sure (Set data path first and ) data folder is not the same "
    "as application folder.  Default folder is your data folder");

// The nearest folder above `path` that still exists, or the home folder.
QString nearestExisting(const QString& path)
{
    if (!path.isEmpty() && QFileInfo(path).isAbsolute()) {
        for (QString up = QDir::cleanPath(path); !up.isEmpty();) {
            if (QFileInfo(up).isDir())
                return up;
            const QString parent = QFileInfo(up).path();
            if (parent == up)
                break;
            up = parent;
        }
    }
    return QDir::homePath();
}

} // namespace

ConfigureWindow::ConfigureWindow(Program& program)
    : Form(program, QStringLiteral("Configure"), kClientSize), m_volumes(Volumes::mounted())
{
    showProgramIcon();
    addFramedBackground(client(), kPicture);

    auto* heading = new QLabel(client());
    heading->setObjectName(QStringLiteral("Label2"));
    heading->setTextFormat(Qt::PlainText);
    heading->setWordWrap(true);
    heading->setAlignment(Qt::AlignCenter);
    heading->setFont(Look::heading(Look::Size::Large, true));
    heading->setText(
        QStringLiteral("CONFIGURATION - Please enter Catagory / Header name to set it up"));
    heading->setGeometry(kHeading);

    m_folder = new QLineEdit(client());
    m_folder->setObjectName(QStringLiteral("Text1"));
    m_folder->setGeometry(kFolderHolder);
    m_folder->hide();

    for (const NameBox& place : kNameBoxes) {
        const SlotRow* row = rowOf(SlotTable::kRows, place.slot, &SlotRow::slot);
        auto* box = new OneLineEdit(qs(row->nameBox), client());
        box->setAccessibleName(QStringLiteral("Name of slot %1").arg(row->slot));
        box->setGeometry(QRect(place.position, kNameBoxSize));
        QPalette p = box->palette();
        p.setColor(QPalette::Base, Look::yellow());
        p.setColor(QPalette::Text, Qt::black);
        box->setPalette(p);
        m_names[std::size_t(row - SlotTable::kRows.data())] = box;
    }

    m_dir = new FolderList(QStringLiteral("Dir1"), client());
    m_dir->setGeometry(kFolderList);
    m_dir->setAccessibleName(QStringLiteral("Data folder"));
    QPalette red = m_dir->palette();
    red.setColor(QPalette::Base, Look::red());
    red.setColor(QPalette::Text, Qt::black);
    m_dir->setPalette(red);

    m_drive = new QComboBox(client());
    m_drive->setObjectName(QStringLiteral("Drive1"));
    m_drive->setGeometry(kDriveList);
    m_drive->setAccessibleName(QStringLiteral("Drive"));
    for (const Volumes::Volume& volume : std::as_const(m_volumes))
        m_drive->addItem(volume.name);
    // Wide names still show whole in the open list.
    m_drive->view()->setMinimumWidth(m_drive->view()->sizeHintForColumn(0) + kDriveListPadding);
    connect(m_drive, &QComboBox::activated, this, &ConfigureWindow::Drive1_Change);

    // clang-format off
    // Command3's narrow face keeps its long caption on two lines.
    const std::array<ButtonPlace<ConfigureWindow>, 4> buttons = {{
        {"Command1", "Confirm Data and  Header", {336, 176, 89, 97}, Look::Size::Normal, false,
         &ConfigureWindow::Command1_Click},
        {"Command2", "EXIT", {224, 272, 113, 41}, Look::Size::Large, false,
         &ConfigureWindow::Command2_Click},
        {"Command3", "Copy Original Data to New data path", {136, 216, 201, 57},
         Look::Size::Normal, true, &ConfigureWindow::Command3_Click},
        {"Command4", "HELP", {224, 112, 113, 41}, Look::Size::Normal, false,
         &ConfigureWindow::Command4_Click},
    }};
    // clang-format on
    const auto made = addButtons(this, client(), buttons);

    QMenu* menu = menuBar()->addMenu(QStringLiteral("Help"));
    menu->setObjectName(QStringLiteral("help"));
    QAction* cdh = menu->addAction(QStringLiteral("Confirm Data and Header"));
    cdh->setObjectName(QStringLiteral("CDH"));
    connect(cdh, &QAction::triggered, this, &ConfigureWindow::CDH_Click);
    QAction* codndp = menu->addAction(QStringLiteral("Copy Orignal data New Data Path"));
    codndp->setObjectName(QStringLiteral("codndp"));
    // The same copy as the button, with its question first.
    connect(codndp, &QAction::triggered, this, &ConfigureWindow::Command3_Click);

    // Confirm and EXIT come before the names, the copy and HELP after them.
    QList<QWidget*> order{m_dir, m_drive, made[0], made[1]};
    for (OneLineEdit* box : m_names)
        order.append(box);
    order << made[2] << made[3];
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    m_dir->setFocus();
}

void ConfigureWindow::Form_Load()
{
    drawTitle();
    startFolderList();
    layOutContents();
    const QStringList names = m_program.settings().slotNames(&m_namesSeen);
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        m_names[i]->setLine(names[qsizetype(i)]);
        m_names[i]->setCursorPosition(0);
        if (SettingsFiles::isNamed(names[qsizetype(i)])) {
            QFont bold = m_names[i]->font();
            bold.setBold(true);
            m_names[i]->setFont(bold);
        }
    }
    // The drive list starts at the drive the program runs from, as a drive list does,
    // and does not follow the data folder: the folder list shows where that is, and the
    // drive list only moves the folder list when the user chooses a drive.
    m_drive->setCurrentIndex(
        std::max(Volumes::volumeOf(m_volumes, m_program.settings().appFolder()), 0));
}

void ConfigureWindow::layOutContents()
{
    // The folder icons grow with the text beside them, and the rows keep clear of the
    // focus mark.
    const int icon = zoomed(m_dir->style()->pixelMetric(QStyle::PM_SmallIconSize));
    m_dir->setIconSize(QSize(icon, icon));
    const int clear = CaptionButton::kBevel + focusMarkWidth() + 1 - m_dir->frameWidth();
    m_dir->keepRowsIn(clear);
    // The folder list shows whole rows only, as many as its place holds.
    const int frame = 2 * (m_dir->frameWidth() + clear);
    const int row = std::max(1, m_dir->count() > 0 ? m_dir->sizeHintForRow(0)
                                                   : m_dir->fontMetrics().height());
    const QRect place = zoomed(kFolderList);
    const int rows = std::max(1, (place.height() - frame) / row);
    m_dir->setGeometry(QRect(place.topLeft(), QSize(place.width(), rows * row + frame)));
}

void ConfigureWindow::startFolderList()
{
    // This window is where a broken data folder is mended, so it opens whatever
    // path.lmr says: at the nearest folder that exists, after saying what is wrong.
    QString stored;
    QString problem;
    try {
        stored = m_program.settings().dataFolder(&m_folderSeen);
        m_folder->setText(stored);
        if (stored.isEmpty())
            problem = QStringLiteral("No data folder is set in %1.")
                          .arg(QDir::toNativeSeparators(m_program.settings().dataFolderPath()));
        else
            m_dir->setCurrentFolder(stored);
    } catch (const FileError& error) {
        problem = error.message();
    }
    m_loadedFolder = m_dir->currentFolder();
    if (problem.isEmpty())
        return;
    const QString start = nearestExisting(stored);
    Messages::inform(this, problem + QStringLiteral("\n\nThe folder list starts at %1 instead. "
                                                    "Choose the data folder and confirm it.")
                                         .arg(QDir::toNativeSeparators(start)));
    m_dir->setCurrentFolder(start);
    m_loadedFolder = m_dir->currentFolder();
}

void ConfigureWindow::Drive1_Change(int index)
{
    try {
        m_dir->setCurrentFolder(m_volumes.value(index).rootPath);
    } catch (const FileError& error) {
        Messages::report(this, error);
    }
}

void ConfigureWindow::Command1_Click()
{
    // Names read from the file go back as they were read; what the user typed or pasted
    // had its line breaks made spaces as it came in.
    QStringList names;
    for (OneLineEdit* box : m_names)
        names.append(box->line());
    const QString folder = m_dir->currentFolder();
    const bool saved = saveUnlessChanged(
        [&](bool overwrite) {
            // A name the code page cannot hold is refused before either file is touched.
            for (qsizetype i = 0; i < names.size(); ++i) {
                if (const auto bad = Cp1252::firstUnencodable(names[i]))
                    throw FileError(
                        FileError::Kind::NotEncodable, m_program.settings().slotNamesPath(),
                        QStringLiteral("The name \u201C%1\u201D of slot %2 contains the "
                                       "character %3, which a Windows-1252 text file cannot "
                                       "hold. Nothing was written; please replace it and "
                                       "confirm again.")
                            .arg(shortened(names[i], kQuotedName))
                            .arg(SlotTable::kRows[std::size_t(i)].slot)
                            .arg(Cp1252::describe(*bad)));
            }
            // Both files or neither: after a failure the user must not be left with a new
            // data folder under the old names, told that nothing was changed. And neither
            // is written should either have changed since this window read them.
            const SettingsFiles::Written written = m_program.settings().writeDataFolderAndSlotNames(
                folder, names, overwrite ? FileState{} : m_folderSeen,
                overwrite ? FileState{} : m_namesSeen);
            // The window stays open: its next Confirm checks against what this one wrote.
            m_folderSeen = written.dataFolder;
            m_namesSeen = written.slotNames;
        },
        [this] { refillFromDisk(); });
    if (!saved)
        return;
    m_folder->setText(folder);
    m_loadedFolder = folder;
    Messages::inform(this, QStringLiteral("All header info have been set & Data path changed to ") +
                               folder);
}

void ConfigureWindow::refillFromDisk()
{
    try {
        const QStringList names = m_program.settings().slotNames(&m_namesSeen);
        for (std::size_t i = 0; i < m_names.size(); ++i) {
            if (!m_names[i]->isModified())
                m_names[i]->setLine(names[qsizetype(i)]);
        }
        const QString stored = m_program.settings().dataFolder(&m_folderSeen);
        m_folder->setText(stored);
        // A folder the user has opened in the list since is their choice; it stays.
        if (m_dir->currentFolder() == m_loadedFolder && !stored.isEmpty()) {
            m_dir->setCurrentFolder(stored);
            m_loadedFolder = m_dir->currentFolder();
        }
    } catch (const FileError& error) {
        Messages::report(this, error);
    }
}

void ConfigureWindow::Command2_Click()
{
    // The main window is loaded anew first; only when that succeeds do this window and
    // the old main window go. Should it fail, this window stays for the mending.
    QList<Form*> closing{this};
    if (Form* main = m_program.windows().find(QStringLiteral("Main")))
        closing.append(main);
    m_program.windows().replace(QStringLiteral("Main"), closing, this);
}

void ConfigureWindow::Command3_Click()
{
    if (!Messages::ask(
            this,
            QStringLiteral("Do this once and only you want to copy data to other location"))) {
        Messages::inform(this, kFailed);
        return;
    }
    const Relocation::Result result = Relocation::run(m_program.settings().appFolder());
    if (!result.dataFolder.isEmpty() || result.outcome != Relocation::Result::Outcome::Failed)
        m_folder->setText(result.dataFolder);
    switch (result.outcome) {
    case Relocation::Result::Outcome::SameFolder:
        Messages::inform(this,
                         QStringLiteral("Your data folder is the same as application folder.. "
                                        "Please change it first"));
        break;
    case Relocation::Result::Outcome::Copied:
        Messages::inform(this, QStringLiteral("Files copied") + keptSentence(result));
        break;
    case Relocation::Result::Outcome::Failed:
        // The fixed text alone would leave the user guessing: the cause and how far the
        // copy got follow it.
        Messages::inform(this, kFailed + QStringLiteral("\n\n") + result.failure +
                                   QStringLiteral("\n\n%1 of the %2 files were copied.")
                                       .arg(result.copied)
                                       .arg(Relocation::files().size()) +
                                   keptSentence(result));
        break;
    }
}

QString ConfigureWindow::keptSentence(const Relocation::Result& result)
{
    // A sync tool carries the replaced files to every computer at once: the person must
    // know where what they had saved went.
    if (result.kept == 0)
        return {};
    const QString where = QDir::toNativeSeparators(result.keptFolder);
    if (result.kept == 1)
        return QStringLiteral("\n\n1 file of the data folder held something else; what it held "
                              "is kept in %1.")
            .arg(where);
    return QStringLiteral("\n\n%1 files of the data folder held something else; what they held "
                          "is kept in %2.")
        .arg(QString::number(result.kept), where);
}

void ConfigureWindow::Command4_Click()
{
    m_program.windows().open(QStringLiteral("MainHelp"), this);
}

void ConfigureWindow::CDH_Click()
{
    Messages::inform(this, QStringLiteral("You can set your header info here, if data folder is "
                                          "highlighted, that is your default data folder"));
}

} // namespace Lumora
