// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
// libFuzzer: the line reader on arbitrary bytes, in both encodings, line by line to the end
// and through TextFile::readLines, against the plain splitter of FuzzInput.
#include "FuzzInput.h"
#include "FuzzSandbox.h"

using namespace Lumora;

namespace {

QString g_file;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static FuzzSandbox sandbox;
    g_file = sandbox.filePath(QStringLiteral("lines.txt"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzInput input(data, size);
    input.writeTo(g_file);
    const QList<QByteArray>& lines = input.lines();
    for (const Encoding encoding : {Encoding::Cp1252, Encoding::FileSystem}) {
        LineReader reader(g_file, encoding);
        for (qsizetype i = 0; i <= lines.size(); ++i) {
            if (i == lines.size() && input.cut())
                break;
            FuzzInput::Expected expected;
            if (i == lines.size())
                expected.error = FileError::Kind::PastEndOfFile;
            else if (lines[i].size() > LineReader::kMaxLineBytes)
                expected.error = FileError::Kind::LineTooLong;
            else
                expected.lines = {input.decoded(i, encoding)};
            FuzzInput::check(reader.atEnd() == (i == lines.size()),
                             "atEnd() at the last line and only there");
            FuzzInput::check(FuzzInput::outcome([&] { return QStringList{reader.next()}; }),
                             expected, "next()");
            if (expected.error)
                break;
        }
        // Reading a file of megabytes again and again would only slow the search down.
        if (input.bytes().size() > (1 << 20) || input.cut())
            continue;
        for (const qsizetype count : {qsizetype(1), lines.size(), lines.size() + 1}) {
            if (count < 1)
                continue;
            FuzzInput::check(FuzzInput::outcome(
                                 [&] { return TextFile::readLines(g_file, int(count), encoding); }),
                             input.expect(int(count), encoding), "readLines()");
        }
    }
    return 0;
}
