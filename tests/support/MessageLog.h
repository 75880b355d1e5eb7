// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <QMessageBox>
#include <QStringList>

#include <deque>

// Records the program's message boxes instead of showing them, and answers them: with
// the queued answers first, then with OK (or No for a question). The last log made
// records, until it goes.
class MessageLog
{
public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    void answer(QMessageBox::StandardButton button) { m_answers.push_back(button); }
    const QStringList& texts() const { return m_texts; }
    QString last() const { return m_texts.isEmpty() ? QString() : m_texts.constLast(); }
    void clear() { m_texts.clear(); }

private:
    QStringList m_texts;
    std::deque<QMessageBox::StandardButton> m_answers;
};
