// Press to picture: from a letter button's click to its picture painted in
// the picture area, over the shipped media, with the sound left out.
// Usage: bench_press_to_picture [rounds]
#include "controls.h"
#include "fakes.h"
#include "form1.h"
#include "letters.h"
#include "startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    app::prepareApplication(application);
    const int rounds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;

    testing::FixedFolder folder(QStringLiteral(SNOMEL_PROGRAM_DIR));
    platform::Service<platform::ProgramFolder>::Fake folderFake(folder);
    testing::RecordingSound silent;
    platform::Service<platform::SoundDevice>::Fake soundFake(silent);

    app::Form1 form;
    form.Show();
    QWidget *picture = form.control("Pic1");
    QList<double> bmp, jpg;
    for (int round = 0; round < rounds; ++round) {
        for (const app::Letter &letter : app::Letters) {
            auto *button = form.control<QPushButton>(letter.button);
            QElapsedTimer timer;
            timer.start();
            button->click();
            picture->repaint();
            (letter.number <= 11 ? bmp : jpg).append(timer.nsecsElapsed() / 1e6);
        }
    }
    if (silent.calls.size() != rounds * 28) {
        std::fprintf(stderr, "bench_press_to_picture: a lesson failed (media missing?)\n");
        return 1;
    }
    const auto median = [](QList<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    QList<double> all = bmp + jpg;
    std::printf("press to picture, median of %d presses per kind\n", rounds * 14);
    std::printf("  bitmap letters   %6.2f ms\n", median(bmp));
    std::printf("  JPEG letters     %6.2f ms\n", median(jpg));
    std::printf("  all letters      %6.2f ms (target <= 5 ms)\n", median(all));
    return 0;
}
