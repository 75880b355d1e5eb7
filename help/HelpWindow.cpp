// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "HelpWindow.h"

#include "HelpPages.h"
#include "widgets/CaptionButton.h"
#include "widgets/Look.h"
#include "widgets/Program.h"
#include "tables/Tables.h"

#include <QLabel>

#include <algorithm>

namespace Lumora {

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr QSize kOkSize(73, 25);

QRect okPlace(const HelpPage& page)
{
    return QRect(page.okAtBottom ? QPoint(page.width - kMargin - kOkSize.width(),
                                          page.height - kMargin - kOkSize.height())
                                 : QPoint(page.width - kMargin - kOkSize.width(), kMargin),
                 kOkSize);
}

} // namespace

HelpWindow::HelpWindow(Program& program, const HelpPage& page)
    : Form(program, qs(page.window), QSize(page.width, page.height),
           page.sizable ? Frame::Sizable : Frame::Fixed),
      m_page(page)
{
    if (page.icon)
        showProgramIcon();
    if (!page.fixedTitle.empty())
        setTitle(qs(page.fixedTitle));

    auto* ok = new CaptionButton(qs(page.okButton), client());
    ok->setCaption(QStringLiteral("OK"));
    ok->setGeometry(okPlace(page));
    connect(ok, &QPushButton::clicked, this, &HelpWindow::OKButton_Click);

    for (const HelpLabel& line : page.labels) {
        if (line.name.empty())
            continue;
        auto* label = new QLabel(client());
        label->setObjectName(qs(line.name));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setAutoFillBackground(true);
        QFont font = Look::text((line.style & Large) ? Look::Size::Large : Look::Size::Normal,
                                line.style & Bold);
        font.setUnderline(line.style & Underlined);
        label->setFont(font);
        label->setText(qs(line.text));
        m_labels.append(label);
    }
    layOutContents();

    if (page.left >= 0)
        placeClientAt(QPoint(page.left, page.top));
}

void HelpWindow::layOutContents()
{
    // Labels stand one below the other, each as high as its wrapped text; the first
    // leaves room for the OK button beside it.
    const QRect ok = zoomed(okPlace(m_page));
    int top = zoomed(kMargin);
    bool first = true;
    for (QLabel* label : std::as_const(m_labels)) {
        const int right =
            (first && !m_page.okAtBottom) ? ok.left() - zoomed(kGap) : zoomed(m_page.width - kMargin);
        const int width = right - zoomed(kMargin);
        label->setGeometry(zoomed(kMargin), top, width, label->heightForWidth(width));
        top = label->geometry().bottom() + 1 + zoomed(kGap);
        if (first && !m_page.okAtBottom)
            top = std::max(top, ok.bottom() + 1 + zoomed(kGap));
        first = false;
    }
}

void HelpWindow::Form_Load()
{
    if (m_page.fixedTitle.empty())
        drawTitle();
}

void HelpWindow::OKButton_Click()
{
    close();
}

} // namespace Lumora
