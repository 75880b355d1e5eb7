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

FileState FileState::of(QByteArrayView bytes)
{
    Digest digest;
    digest.add(bytes);
    return digest.state();
}

FileState FileState::Digest::state() const
{
    FileState state;
    state.m_what = What::Present;
    state.m_size = m_size;
    state.m_digest = m_hash.result();
    return state;
}

} // namespace Lumora
