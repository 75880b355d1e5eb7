#pragma once

#include "notes/Opener.h"

#include <QStringList>

// Stands in for the desktop's editor: remembers what it was asked to open.
class RecordingOpener : public Lumora::Opener
{
public:
    void open(const QString& path) override;

    QStringList opened;
    bool fail = false;
};
