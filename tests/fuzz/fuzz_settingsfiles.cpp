// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
// libFuzzer: the three settings files read from arbitrary bytes, and what was read written
// back and read again unchanged.
#include "FuzzInput.h"
#include "FuzzSandbox.h"
#include "files/TextFile.h"
#include "files/Cp1252.h"
#include "settings/SettingsFiles.h"

#include <QFile>

using namespace Lumora;

namespace {

const SettingsFiles* g_settings = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static FuzzSandbox sandbox;
    static const SettingsFiles settings(sandbox.path());
    g_settings = &settings;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzInput input(data, size);
    const SettingsFiles& settings = *g_settings;
    for (const QString& path :
         {settings.captionListPath(), settings.slotNamesPath(), settings.dataFolderPath()})
        input.writeTo(path);

    const auto names = FuzzInput::outcome([&] { return settings.slotNames(); });
    FuzzInput::check(names, input.expect(SettingsFiles::kSlotCount, Encoding::Cp1252),
                     "slotNames()");
    for (const int n : {1, 2, SettingsFiles::kCaptionCount}) {
        FuzzInput::Expected expected = input.expect(n, Encoding::Cp1252);
        if (!expected.error)
            expected.lines = {expected.lines.constLast()};
        FuzzInput::check(FuzzInput::outcome([&] { return QStringList{settings.captionLine(n)}; }),
                         expected, "captionLine()");
    }
    const auto folder = FuzzInput::outcome([&] { return QStringList{settings.dataFolder()}; });
    FuzzInput::check(folder, input.expectFolder(settings.appFolder()), "dataFolder()");

    // Names read are names that can be written: fourteen CR LF lines of the same bytes.
    if (!names.error) {
        TextFile::writeLines(settings.slotNamesPath(), names.lines, Encoding::Cp1252);
        QByteArray expected;
        for (qsizetype i = 0; i < SettingsFiles::kSlotCount; ++i)
            expected += input.lines()[i] + "\r\n";
        FuzzInput::check(FuzzSandbox::bytesOf(settings.slotNamesPath()) == expected,
                         "slot names written back as read");
        FuzzInput::check(settings.slotNames() == names.lines, "slot names read back");
    }
    if (!folder.error) {
        const QString& stored = folder.lines.constFirst();
        // The application folder joined to a relative one may make it too long to store;
        // then nothing is written.
        const bool fits = QFile::encodeName(stored).size() <= LineReader::kMaxLineBytes;
        const auto written = FuzzInput::outcome([&] {
            TextFile::writeLines(settings.dataFolderPath(), {stored}, Encoding::FileSystem);
            return QStringList{settings.dataFolder()};
        });
        FuzzInput::check(written,
                         fits ? FuzzInput::Expected{{stored}, std::nullopt}
                              : FuzzInput::Expected{{}, FileError::Kind::LineTooLong},
                         "data folder written back");
        if (stored.size() < 4096) {
            const QString path = settings.dataFilePath(QStringLiteral("c0002.dat"));
            FuzzInput::check(path.startsWith(stored + u'/'), "data file path in the data folder");
        }
    }
    return 0;
}
