// SPDX-License-Identifier: GPL-3.0-or-later
// The song window under a real window system: clicks from the X server reach
// the player inside its skinned window as the child makes them.
#include "app/startup.h"
#include "platform/media/mediaplayer.h"
#include "platform/media/videosurface.h"
#include "tests/desktop/xsession.h"
#include "tests/support/fakes.h"
#include "tests/support/mediatest.h"
#include "windows/form3.h"
#include "windows/form3layout.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

using platform::MediaPlayer;
using State = MediaPlayer::State;

namespace {

constexpr int PlayTimeoutMs = 15000;

} // namespace

class TestForm3Input : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X display (scripts/test starts one)");
        QVERIFY2(x_.isOpen() && x_.hasXTest(), "cannot open the X display with XTest");
        app::prepareApplication(*qApp);
        boxFake_ = std::make_unique<platform::Service<platform::MessageBoxService>::Fake>(box_);
        QDir::setCurrent(QStringLiteral(SNOMEL_PROGRAM_DIR));
    }

    void init() {
        form_ = std::make_unique<windows::Form3>();
        form_->Show();
        QVERIFY(QTest::qWaitForWindowExposed(form_->topLevel()));
        QTest::qWait(200); // the window manager places and maps the frame
    }
    void cleanup() {
        form_.reset();
        QVERIFY(box_.calls.isEmpty());
    }

    // One real click: nothing. Two in a row: the song plays.
    void singleClickNothingDoubleClickPlays() {
        MediaPlayer *player = form_->control<MediaPlayer>("MediaPlayer1");
        QSignalSpy doubleClicks(player, &MediaPlayer::doubleClicked);
        QWidget *surface = player->surface();
        const QPoint at = surface->mapToGlobal(surface->rect().center());
        x_.click(at);
        QTest::qWait(800);
        QVERIFY(doubleClicks.isEmpty());
        QCOMPARE(player->state(), State::Empty);
        QVERIFY(player->engine() == nullptr);

        x_.click(at, 1, 2);
        QTRY_COMPARE(doubleClicks.size(), 1);
        QCOMPARE(doubleClicks[0].at(0).value<short>(), short(1));
        QCOMPARE(doubleClicks[0].at(1).value<short>(), short(0));
        QCOMPARE(player->URL(), QString::fromUtf8(windows::SongFileName));
        QTRY_VERIFY_WITH_TIMEOUT(player->position() > 1000, PlayTimeoutMs);
        QTRY_VERIFY(player->surface()->hasFrame());
    }

private:
    monkey::XSession x_;
    testing::RecordingMessageBox box_;
    std::unique_ptr<platform::Service<platform::MessageBoxService>::Fake> boxFake_;
    std::unique_ptr<windows::Form3> form_;
};

SNOMEL_MEDIA_TEST_MAIN(TestForm3Input)
#include "tst_form3_input.moc"
