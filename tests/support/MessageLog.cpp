// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "MessageLog.h"

#include "widgets/Messages.h"

MessageLog::MessageLog()
{
    Lumora::Messages::setHook([this](const QString& text, QMessageBox::StandardButtons buttons) {
        m_texts.append(text);
        if (!m_answers.empty()) {
            const auto answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        }
        return (buttons & QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::No;
    });
}

MessageLog::~MessageLog()
{
    Lumora::Messages::setHook({});
}
