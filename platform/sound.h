// SPDX-License-Identifier: GPL-3.0-or-later
// sndPlaySoundA: plays a wave file named in the narrow code page.
#pragma once

#include "platform/service.h"
#include "platform/win32.h"

namespace platform {

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual BOOL sndPlaySoundA(LPCSTR soundName, UINT flags) = 0;
    static SoundDevice &real();
};

extern template class Service<SoundDevice>;

} // namespace platform

// Without SND_ASYNC the call returns when the sound has ended; while it plays
// the windows keep painting but take no input (input that came meanwhile is
// delivered after the call). The sound plays once, even with SND_LOOP: an
// endless synchronous repetition could never return. A missing or
// undecodable file, or no audio output, returns FALSE at once and plays
// nothing. A null name stops the sound that is playing.
BOOL sndPlaySoundA(LPCSTR soundName, UINT flags);
