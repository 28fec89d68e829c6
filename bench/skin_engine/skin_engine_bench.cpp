// SPDX-License-Identifier: GPL-3.0-or-later
// The skin engine on the main window, each figure against a baseline in the
// same run:
//  1. applying the skin (reading the stream, setting up frame and style)
//     against loading the window's controls from its table;
//  2. one full repaint of the skinned window (frame, background, controls)
//     against one full repaint of the same window unskinned.
// Usage: skin_engine_bench [rounds]   (needs a display: DISPLAY or QT_QPA_PLATFORM)
#include "app/form1layout.h"
#include "app/startup.h"
#include "bench/support/benchstats.h"
#include "platform/form.h"
#include "platform/windowhandles.h"
#include "skin/skincontrol.h"
#include "skin/storedskin.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>

namespace {

// The main window's table with a skin control that is never applied.
class MainWindowTable : public platform::Form {
public:
    MainWindowTable() : platform::Form(app::Form1Spec) {}

protected:
    QWidget *createCustomControl(const platform::ControlSpec &, QWidget *container) override {
        return new skin::SkinControl(skin::storedSkinStream(1), container);
    }
};

template <class F> double milliseconds(F &&f) {
    QElapsedTimer timer;
    timer.start();
    f();
    return double(timer.nsecsElapsed()) / 1e6;
}

void apply(platform::Form &form) {
    form.control<skin::SkinControl>("Skin1")->Invoke(
        skin::SkinControl::DispidApply, platform::InvokeKind::Method,
        {platform::Variant(static_cast<qint32>(form.hWnd()))});
}

// One full repaint of a window into an image of its size, as the window
// system would ask for it.
double repaint(QWidget *window, QImage &image) {
    return milliseconds([&] { window->render(&image); });
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    app::prepareApplication(application);
    const int rounds = argc > 1 ? std::max(3, QString::fromLocal8Bit(argv[1]).toInt()) : 21;

    QList<double> loads, applies, plainPaints, skinnedPaints;
    for (int round = 0; round <= rounds; ++round) {
        MainWindowTable plain;
        const double load = milliseconds([&] { plain.Load(); });
        MainWindowTable skinned;
        skinned.Load();
        const double applying = milliseconds([&] { apply(skinned); });
        plain.Show();
        skinned.Show();
        QImage plainImage(plain.topLevel()->size(), QImage::Format_ARGB32_Premultiplied);
        QImage skinnedImage(skinned.topLevel()->size(), QImage::Format_ARGB32_Premultiplied);
        // The first paint of each fills the caches; later ones are what a
        // window costs while it lives.
        repaint(plain.topLevel(), plainImage);
        repaint(skinned.topLevel(), skinnedImage);
        QList<double> plainRound, skinnedRound;
        for (int i = 0; i < 9; ++i) {
            plainRound.append(repaint(plain.topLevel(), plainImage));
            skinnedRound.append(repaint(skinned.topLevel(), skinnedImage));
        }
        if (round == 0)
            continue; // warm-up
        loads.append(load);
        applies.append(applying);
        plainPaints.append(bench::median(plainRound));
        skinnedPaints.append(bench::median(skinnedRound));
    }

    const double load = bench::median(loads), applying = bench::median(applies);
    const double plainPaint = bench::median(plainPaints),
                 skinnedPaint = bench::median(skinnedPaints);
    std::printf("main window, median of %d rounds\n", rounds);
    std::printf("  load the controls from the table   %7.3f ms\n", load);
    std::printf("  apply the skin (read + set up)     %7.3f ms\n", applying);
    std::printf("  ratio apply / load                 %7.2f\n", applying / load);
    std::printf("  full repaint, unskinned            %7.3f ms\n", plainPaint);
    std::printf("  full repaint, skinned              %7.3f ms\n", skinnedPaint);
    std::printf("  ratio skinned / unskinned          %7.2f\n", skinnedPaint / plainPaint);
    return 0;
}
