#include "fonts.h"
#include "form1.h"
#include "mediabackend.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    if (!app::checkDisplay())
        return 1;
    platform::preferGStreamerMediaBackend();
    platform::FontPreload fonts;
    QApplication application(argc, argv);
    fonts.wait();
    app::prepareApplication(application);
    fonts.listFonts();

    // The main window is the program's start-up object: it loads, shows
    // itself centred, and the program ends when its last window closes.
    app::Form1 form1;
    form1.Show();
    const int status = QApplication::exec();
    fonts.wait(); // the font work is done with before the application goes
    return status;
}
