// SPDX-License-Identifier: GPL-3.0-or-later
// Press to picture: from a letter button's click to its picture painted in
// the picture area, over the shipped media, with the sound left out; against
// the least any program does for it, the same file read into a QImage and
// drawn scaled into a bare widget of the picture area's size.
// Usage: bench_press_to_picture [rounds]
#include "app/form1.h"
#include "app/letters.h"
#include "app/startup.h"
#include "bench/support/benchstats.h"
#include "platform/controls.h"
#include "tests/support/fakes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <cstdio>

namespace {

// The baseline's picture area.
class BarePicture : public QWidget {
public:
    void setImage(QImage image) {
        image_ = std::move(image);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.drawImage(rect(), image_);
    }

private:
    QImage image_;
};

} // namespace

int main(int argc, char *argv[]) {
    bench::offscreenWithoutDisplay();
    QApplication application(argc, argv);
    app::prepareApplication(application);
    const int rounds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;

    testing::LessonServices services(QStringLiteral(SNOMEL_PROGRAM_DIR)); // silent

    app::Form1 form;
    form.Show();
    QWidget *picture = form.control("Pic1");
    BarePicture bare;
    bare.resize(picture->size());
    bare.show();
    const QDir media(services.folder.path());
    QList<double> bmp, jpg, baseline;
    // Rounds interleaved; the first warms the caches and is not counted.
    for (int round = -1; round < rounds; ++round) {
        for (const app::Letter &letter : app::Letters) {
            auto *button = form.control<QPushButton>(letter.button);
            QElapsedTimer timer;
            timer.start();
            button->click();
            picture->repaint();
            const double pressMs = timer.nsecsElapsed() / 1e6;

            const QString file = media.filePath(QString::fromUtf8(letter.stem) + QLatin1Char('.') +
                                                QLatin1String(letter.pictureExtension));
            timer.restart();
            bare.setImage(QImage(file));
            bare.repaint();
            const double bareMs = timer.nsecsElapsed() / 1e6;
            if (round < 0)
                continue;
            (letter.number <= 11 ? bmp : jpg).append(pressMs);
            baseline.append(bareMs);
        }
    }
    if (services.sound.calls.size() != static_cast<qsizetype>(rounds + 1) * 28) {
        std::fprintf(stderr, "bench_press_to_picture: a lesson failed (media missing?)\n");
        return 1;
    }
    QList<double> all = bmp + jpg;
    std::printf("press to picture, median of %d presses per kind\n", rounds * 14);
    std::printf("  bitmap letters   %6.2f ms\n", bench::median(bmp));
    std::printf("  JPEG letters     %6.2f ms\n", bench::median(jpg));
    std::printf("  all letters      %6.2f ms (target <= 5 ms)\n", bench::median(all));
    std::printf("  bare QImage      %6.2f ms\n", bench::median(baseline));
    const double ratio = bench::median(all) / bench::median(baseline);
    std::printf("  ratio            %6.2f (target <= 1.5)\n", ratio);
    return ratio <= 1.5 ? 0 : 1;
}
