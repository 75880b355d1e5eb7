// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
// libFuzzer: a slot verse file of arbitrary bytes, under either letter case, read through
// path.lmr; five verses read are written back as the same five lines and read again.
#include "FuzzInput.h"
#include "FuzzSandbox.h"
#include "files/TextFile.h"
#include "settings/SettingsFiles.h"
#include "slots/SlotVerseFile.h"

#include <QDir>
#include <QFile>

using namespace Lumora;

namespace {

const SettingsFiles* g_settings = nullptr;
QString g_data;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static FuzzSandbox sandbox;
    static const SettingsFiles settings(sandbox.path());
    g_settings = &settings;
    g_data = sandbox.filePath(QStringLiteral("data"));
    QDir().mkpath(g_data);
    TextFile::writeLines(settings.dataFolderPath(), {g_data}, Encoding::FileSystem);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzInput input(data, size);
    // The name the user's system gave the file decides nothing.
    const QString name = size % 2 ? QStringLiteral("C0002.DAT") : QStringLiteral("c0002.dat");
    QFile::remove(g_data + QStringLiteral("/c0002.dat"));
    QFile::remove(g_data + QStringLiteral("/C0002.DAT"));
    const QString path = g_data + u'/' + name;
    input.writeTo(path);

    const auto verses = FuzzInput::outcome([&] { return SlotVerseFile::read(g_settings->dataFolder(), 2); });
    FuzzInput::check(verses, input.expect(SlotVerseFile::kVerseCount, Encoding::Cp1252),
                     "SlotVerseFile::read()");
    if (!verses.error) {
        SlotVerseFile::write(g_settings->dataFolder(), 2, verses.lines);
        QByteArray expected;
        for (qsizetype i = 0; i < SlotVerseFile::kVerseCount; ++i)
            expected += input.lines()[i] + "\r\n";
        FuzzInput::check(FuzzSandbox::bytesOf(path) == expected, "verses written back as read");
        FuzzInput::check(QDir(g_data).entryList(QDir::Files).size() == 1,
                         "the save replaced the file it read");
        FuzzInput::check(SlotVerseFile::read(g_data, 2) == verses.lines, "verses read back");
    }
    return 0;
}
