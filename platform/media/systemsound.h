// SPDX-License-Identifier: GPL-3.0-or-later
// The system's own sound output, what sndPlaySoundA plays through: on Linux
// the PulseAudio server (unix/media/pulsesound.cpp), on Windows winmm
// (windows/media/winmmsound.cpp).
#pragma once

namespace platform {

class SoundDevice;

SoundDevice &systemSoundDevice();

} // namespace platform
