// The program's start-up, as app/main.cpp does it, ending at the main
// window's first paint.
#include "firstpaint.h"
#include "fonts.h"
#include "form1.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    platform::FontPreload fonts;
    QApplication application(argc, argv);
    fonts.wait();
    app::prepareApplication(application);
    fonts.listFonts();
    app::Form1 form1;
    QuitAfterFirstPaint quit;
    form1.Load();
    form1.topLevel()->installEventFilter(&quit);
    form1.Show();
    const int status = QApplication::exec();
    fonts.wait(); // the font work is done with before the application goes
    return status;
}
