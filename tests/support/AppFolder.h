// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QTemporaryDir>

#include <functional>

// A fresh application folder for one test: the settings and data files that come with
// the program, and a path.lmr naming the folder itself.
class AppFolder
{
public:
    AppFolder();

    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    // Writes path.lmr naming `folder` (UTF-8, CR LF).
    void setDataFolder(const QString& folder) const;
    // A caption list whose line n reads "Caption n", n = 1..count.
    void writeNumberedCaptions(int count) const;
    // Fourteen lines for configure.lmr.
    void writeSlotNames(const QStringList& names) const;

private:
    QTemporaryDir m_dir;
};

// The lines joined with CR LF, each line ended, encoded as Windows-1252 Latin letters.
QByteArray crlf(const QStringList& lines);

// What a test does to an application folder before the step it checks: a column of its
// table, so that each row says its own setting up.
using FolderSetup = std::function<void(const AppFolder&)>;
Q_DECLARE_METATYPE(FolderSetup)

// The faults of an application folder that many steps must report.
namespace Faults {
inline void none(const AppFolder&) {}
// path.lmr names the folder "missing" in the application folder, which is not there.
void dataFolderMissing(const AppFolder& app);
// path.lmr names Rantxt.lmr.
void dataFolderIsAFile(const AppFolder& app);
void pointerMissing(const AppFolder& app);
void pointerEmpty(const AppFolder& app);
} // namespace Faults
