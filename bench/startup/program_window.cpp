// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start-up, as app/main.cpp does it, ending at the main
// window's first paint.
#include "app/form1.h"
#include "app/startup.h"
#include "bench/support/firstpaint.h"

int main(int argc, char *argv[]) {
    app::ProgramStart start(argc, argv);
    app::Form1 form1;
    bench::QuitAfterFirstPaint quit;
    return bench::runForm(form1, quit);
}
