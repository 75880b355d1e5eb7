#include "Running.h"

#include "app/MainWindow.h"
#include "widgets/WindowRegistry.h"

Running::Running(Lumora::MusicPlayer::OutputFactory sound)
{
    app.writeNumberedCaptions(Lumora::SettingsFiles::kCaptionCount);
    auto opener = std::make_unique<RecordingOpener>();
    m_opener = opener.get();
    m_shell = std::make_unique<Lumora::Shell>(app.path(), std::move(opener), std::move(sound));
}

Running::~Running() = default;

Lumora::MainWindow* Running::start()
{
    if (!m_shell->start())
        return nullptr;
    return qobject_cast<Lumora::MainWindow*>(m_shell->windows().find(QStringLiteral("Main")));
}

QStringList Running::titles(int count) const
{
    const Lumora::SettingsFiles settings(app.path());
    Lumora::RandomCaption shadow(settings);
    QStringList titles;
    for (int i = 0; i < count; ++i)
        titles.append(shadow.draw());
    return titles;
}
