// SPDX-License-Identifier: GPL-3.0-or-later
// The sound output on a PulseAudio server (PulseAudio itself, or PipeWire's
// PulseAudio server): what sndPlaySoundA plays through. It reaches whichever
// server runs at the moment of the call: the connection is made at the first sound, kept while it
// holds, and made afresh at the next sound once the server has gone, so a
// server that starts late, restarts or is replaced is heard again from the
// first sound after it is back.
#pragma once

namespace platform {

class SoundDevice;

SoundDevice &pulseSoundDevice();

} // namespace platform
