// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound.h"

#include "platform/mediamodule.h"

namespace platform {

SoundDevice &SoundDevice::real() {
    return mediaModule().soundDevice();
}

template class Service<SoundDevice>;

} // namespace platform

BOOL sndPlaySoundA(LPCSTR soundName, UINT flags) {
    return platform::Service<platform::SoundDevice>::get().sndPlaySoundA(soundName, flags);
}
