// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline: a bare Qt window of the main window's size.
#include "bench/support/firstpaint.h"

int main(int argc, char *argv[]) {
    bench::QuitAfterFirstPaint quit;
    return bench::runBareWindow(argc, argv, quit);
}
