// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "FileState.h"

namespace Lumora {

FileState FileState::absent()
{
    FileState state;
    state.m_what = What::Absent;
    return state;
}

FileState FileState::of(QByteArray bytes)
{
    FileState state;
    state.m_what = What::Present;
    state.m_bytes = std::move(bytes);
    return state;
}

FileState FileState::tooLarge(qint64 size)
{
    FileState state;
    state.m_what = What::TooLarge;
    state.m_size = size;
    return state;
}

} // namespace Lumora
