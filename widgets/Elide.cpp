// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Elide.h"

#include <QFontMetrics>
#include <QTextLayout>

#include <algorithm>

namespace Lumora {

QString elideToLines(const QString& text, const QFont& font, int width, int maxLines,
                     const std::function<bool(const QString&)>& fits)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QList<int> starts;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        starts.append(line.textStart());
    }
    layout.endLayout();

    const QFontMetrics metrics(font);
    const auto lastLine = [&](int start) {
        return metrics.elidedText(text.mid(start), Qt::ElideRight, width);
    };
    for (qsizetype lines = std::min<qsizetype>(maxLines, starts.size()); lines > 1; --lines) {
        const int start = starts[lines - 1];
        const QString candidate = text.left(start) + lastLine(start);
        if (fits(candidate))
            return candidate;
    }
    return lastLine(0);
}

} // namespace Lumora
