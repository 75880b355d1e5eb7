// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "ButtonRow.h"

#include "tables/Tables.h"

namespace Lumora {

CaptionButton* makeButton(QWidget* parent, std::string_view name, std::string_view caption,
                          const QRect& geometry, Look::Size size, bool condensed)
{
    auto* button = new CaptionButton(qs(name), parent);
    button->setCaption(qs(caption));
    button->setGeometry(geometry);
    button->setFont(condensed ? Look::condensed(size, true) : Look::text(size, true));
    return button;
}

} // namespace Lumora
