// SPDX-License-Identifier: GPL-3.0-or-later
// Web addresses in a page: the desktop's hand-off to the browser becomes a
// new tab of the browser the page is in.
#pragma once

namespace platform {

// From now on, QDesktopServices::openUrl opens http and https addresses in a
// new tab that cannot reach back into the program's page (noopener), and
// answers true, as a desktop that took the address does.
void openWebPagesInNewTabs();

} // namespace platform
