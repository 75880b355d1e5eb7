// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "ConflictCopies.h"

#include <QDir>
#include <QRegularExpression>

namespace Lumora::ConflictCopies {

namespace {

struct Pattern
{
    const char* tool;
    // %1 is the file's name without its extension, %2 the extension with its dot.
    const char* name;
};

constexpr Pattern kPatterns[] = {
    {"Syncthing", R"(%1\.sync-conflict-\d{8}-\d{6}-[a-z0-9]{7}%2)"},
    {"Nextcloud or ownCloud", R"(%1 \(conflicted copy (?:[^()]+ )?\d{4}-\d{2}-\d{2} \d{6}\)%2)"},
    {"Dropbox", R"(%1 \(.+['’]s conflicted copy \d{4}-\d{2}-\d{2}(?: \(\d+\))?\)%2)"},
};

// The names a copy of `fileName` may have, with the tool that gives it each.
QList<std::pair<QRegularExpression, QString>> namesOfCopies(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString stem = QRegularExpression::escape(dot > 0 ? fileName.left(dot) : fileName);
    const QString extension = dot > 0 ? QRegularExpression::escape(fileName.mid(dot)) : QString();
    QList<std::pair<QRegularExpression, QString>> names;
    for (const Pattern& pattern : kPatterns) {
        names.append({QRegularExpression(QRegularExpression::anchoredPattern(
                                             QString::fromUtf8(pattern.name).arg(stem, extension)),
                                         QRegularExpression::CaseInsensitiveOption),
                      QString::fromUtf8(pattern.tool)});
    }
    return names;
}

} // namespace

QString toolOf(const QString& candidate, const QString& fileName)
{
    for (const auto& [name, tool] : namesOfCopies(fileName)) {
        if (name.match(candidate).hasMatch())
            return tool;
    }
    return {};
}

QList<Copy> find(const QString& folder, const QString& fileName)
{
    const auto names = namesOfCopies(fileName);
    QList<Copy> copies;
    const QDir dir(folder.isEmpty() ? QStringLiteral("/") : folder);
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        for (const auto& [name, tool] : names) {
            if (name.match(entry).hasMatch()) {
                copies.append({entry, tool});
                break;
            }
        }
    }
    return copies;
}

} // namespace Lumora::ConflictCopies
