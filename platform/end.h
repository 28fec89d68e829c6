// SPDX-License-Identifier: GPL-3.0-or-later
// End: the program stops at once, whatever windows are open.
#pragma once

// Every window goes away at once, with no close or unload events, and the
// event loops stop: no further handler of the program runs. Nothing is
// saved and the notification-area icon is not removed. The call returns to
// its caller, which is expected to return at once.
void End();
