// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QString>

class QFileInfo;

#include <exception>

namespace Lumora {

// The one error type of the program. Every file or launch operation either succeeds
// or throws a FileError naming what went wrong and with which path; the window whose
// action failed catches it and shows it through Messages::report, and only that
// action is abandoned.
class FileError : public std::exception
{
public:
    enum class Kind {
        FileNotFound,
        PathNotFound,
        PastEndOfFile,
        PermissionDenied,
        NotAFile,
        NotAFolder,
        LineTooLong,
        ReadFailed,
        WriteFailed,
        NotEncodable,
        LaunchFailed,
        NotAValidFolder,
        LinkRefused,
        ChangedOnDisk,
        TooLarge,
        ReadOnlyFileSystem,
        OpenFailed,
    };

    FileError(Kind kind, QString path, QString detail = {});

    Kind kind() const { return m_kind; }
    QString path() const { return m_path; }
    QString detail() const { return m_detail; }

    // A short name of the kind, such as "File not found".
    static QString kindName(Kind kind);

    // The text shown to the user: the kind, the path in native form and what else
    // is known, plainly worded.
    QString message() const;

    const char* what() const noexcept override;

    // Classifies a failure to open `path` for reading by looking at the file system:
    // a missing folder is "path not found", a missing file "file not found", a folder
    // that is a file "not a folder".
    static FileError forRead(const QString& path, const QString& detail = {});
    // Classifies a failure to create or replace `path`.
    static FileError forWrite(const QString& path, const QString& detail = {});
    // `text` as a sentence: system messages such as "No space left on device" end without
    // a full stop, and a detail goes on after them.
    static QString sentence(const QString& text);
    // True for an existing file that must not be replaced.
    static bool isReadOnly(const QFileInfo& file);
    // True when `path`, or the nearest folder on its way that exists, lies on a file system
    // mounted read-only.
    static bool onReadOnlyFileSystem(const QString& path);
    // The error of a file of `size` bytes, more than a reader takes (`limit`).
    static FileError tooLarge(const QString& path, qint64 size, qint64 limit);
    // The error of a file that exists but is no regular file: "It is a named pipe (FIFO),
    // not a regular file", and so on, from the file's stat mode.
    static FileError notAFile(const QString& path, unsigned mode);

private:
    Kind m_kind;
    QString m_path;
    QString m_detail;
    QByteArray m_what;
};

} // namespace Lumora
