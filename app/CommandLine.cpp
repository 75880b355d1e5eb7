// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace Lumora {

namespace {

struct QtOption
{
    const char* name;
    const char* value; // nullptr: the option takes none
    const char* description;
};

// The options QGuiApplication, QApplication and the X11 platform take from every
// program's command line, spelt with one dash or two.
constexpr std::array kQtOptions = {
    QtOption{"platform", "name[:options]", "The platform plugin: xcb, wayland, offscreen ..."},
    QtOption{"platformpluginpath", "path", "Where platform plugins are looked for."},
    QtOption{"platformtheme", "theme", "The platform theme."},
    QtOption{"plugin", "plugin", "An additional plugin to load, such as an input device."},
    QtOption{"qwindowgeometry", "geometry", "The main window's geometry, as in -geometry."},
    QtOption{"qwindowicon", "icon", "The default window icon."},
    QtOption{"qwindowtitle", "title", "The title of the first window."},
    QtOption{"reverse", nullptr, "Lays windows out from right to left."},
    QtOption{"session", "session", "Restores the application from an earlier session."},
    QtOption{"style", "style", "The widget style, instead of Lumora's own look."},
    QtOption{"stylesheet", "file", "A Qt style sheet applied to every window."},
    QtOption{"widgetcount", nullptr, "Prints how many widgets were left at the end."},
    QtOption{"qmljsdebugger", "port", "Qt's QML debugger (unused by Lumora)."},
    QtOption{"testability", nullptr, "Loads Qt's testability plugin."},
    QtOption{"display", "display", "The X server to use, instead of $DISPLAY."},
    QtOption{"geometry", "geometry", "X11: the main window's geometry."},
    QtOption{"title", "title", "X11: the title of the first window."},
    QtOption{"icon", "icon", "X11: the default window icon."},
    QtOption{"name", "name", "X11: the instance name of WM_CLASS."},
    QtOption{"visual", "id", "X11: the visual to use."},
    QtOption{"nograb", nullptr, "X11: never grab the mouse or keyboard."},
    QtOption{"dograb", nullptr, "X11: grab even under a debugger."},
};

void addQtOptions(QCommandLineParser& parser, bool shown)
{
    for (const QtOption& qt : kQtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name), QString::fromLatin1(qt.description),
                                  QString::fromLatin1(qt.value ? qt.value : ""));
        if (!shown)
            option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

QList<DisplayGuard::Held>* g_held = nullptr;

// A display that cannot be opened is fatal to Qt; said here in one line instead, with the
// first thing Qt said about it (such as "could not connect to display :5").
[[noreturn]] void noDisplay()
{
    QByteArray reason = g_held->isEmpty()
                            ? QByteArray()
                            : g_held->constFirst().text.split('\n').constFirst().trimmed();
    // Qt names no display when it was given none.
    if ((reason.isEmpty() || reason.endsWith("display")) &&
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        reason = "neither DISPLAY nor WAYLAND_DISPLAY is set";
    std::fflush(stdout);
    std::fprintf(stderr,
                 "lumora: Lumora needs a graphical session, and none could be opened%s%s.\n",
                 reason.isEmpty() ? "" : ": ", reason.constData());
    std::fflush(stderr);
    // Not exit(): the statics of a half-made QApplication must not be destroyed.
    std::_Exit(1);
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg)
        noDisplay();
    g_held->append({int(type), QByteArray(context.category), text.toLocal8Bit()});
}

} // namespace

CommandLine::Reading CommandLine::read(int argc, char* argv[])
{
    // As the desktop starts it: nothing to read, and no parser to make.
    if (argc <= 1)
        return {};
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const QString program = QFileInfo(arguments.constFirst()).fileName();

    const auto parser = [&](bool all) {
        auto made = std::make_unique<QCommandLineParser>();
        // Qt's own options are single-dash words: -platform, -style.
        made->setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        made->setApplicationDescription(
            QStringLiteral("Read and collect Bible verses by theme.\n\n"
                           "Lumora takes no files: its settings, verses and notes are in its "
                           "application folder. A second start on the same folder brings the "
                           "running Lumora's main window forward."));
        made->addHelpOption();
        made->addVersionOption();
        addQtOptions(*made, all);
        return made;
    };
    const auto help = [&](bool all) {
        // Without a QCoreApplication the parser cannot know the program's name.
        return parser(all)->helpText().replace(QStringLiteral("<executable_name>"), program);
    };

    Reading reading;
    const auto line = parser(false);
    const bool parsed = line->parse(arguments);
    if (parsed && line->isSet(QStringLiteral("help-all"))) {
        print(stdout, help(true));
        reading.exitStatus = 0;
    } else if (parsed && line->isSet(QStringLiteral("help"))) {
        print(stdout, help(false));
        reading.exitStatus = 0;
    } else if (parsed && line->isSet(QStringLiteral("version"))) {
        print(stdout, QStringLiteral("%1 %2\n"
                                     "Copyright 2026 The Lumora developers.\n"
                                     "Licence GPL-3.0-or-later: GNU GPL version 3 or later.\n"
                                     "This is free software: you are free to change and "
                                     "redistribute it.\nThere is NO WARRANTY, to the extent "
                                     "permitted by law.\n")
                          .arg(program, QStringLiteral(LUMORA_VERSION)));
        reading.exitStatus = 0;
    } else if (!parsed || !line->positionalArguments().isEmpty()) {
        const QString wrong =
            !parsed ? line->errorText()
                    : QStringLiteral("Unexpected argument '%1': Lumora opens no files.")
                          .arg(line->positionalArguments().constFirst());
        print(stderr, QStringLiteral("%1: %2\n\n%3").arg(program, wrong, help(false)));
        reading.exitStatus = kUsageError;
    }
    reading.styleChosen = parsed && line->isSet(QStringLiteral("style"));
    return reading;
}

DisplayGuard::DisplayGuard()
{
    g_held = &m_held;
    m_previous = qInstallMessageHandler(holdMessage);
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(m_previous);
    g_held = nullptr;
    for (const Held& held : std::as_const(m_held)) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        qt_message_output(QtMsgType(held.type), context, QString::fromLocal8Bit(held.text));
    }
}

} // namespace Lumora
