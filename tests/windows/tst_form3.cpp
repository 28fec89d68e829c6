// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "app/startup.h"
#include "platform/controls.h"
#include "platform/media/mediaplayer.h"
#include "platform/media/videosurface.h"
#include "platform/twips.h"
#include "skin/skincontrol.h"
#include "skin/skinlabel.h"
#include "tests/support/currentdirectory.h"
#include "tests/support/fakes.h"
#include "tests/support/mediatest.h"
#include "windows/form3.h"
#include "windows/form3layout.h"

#include <QFile>
#include <QGroupBox>
#include <QMediaPlayer>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>

using platform::MediaPlayer;
using State = MediaPlayer::State;
using testing::RecordingMessageBox;

namespace {

constexpr int PlayTimeoutMs = 15000;

// Whether the media framework's backend has been loaded into the process.
bool mediaBackendLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("mediaplugin");
}

struct Placement {
    const char *name;
    const char *container;
    int left, top, width, height;
};

// Where every control stands, in twips, in its container.
const Placement Placements[] = {
    {"Frame2", nullptr, 120, 0, 6975, 735},         {"SkinLabel1", "Frame2", 120, 240, 6735, 375},
    {"Frame1", nullptr, 120, 720, 6975, 5295},      {"Pictuer1", "Frame1", 0, 120, 6975, 5175},
    {"MediaPlayer1", "Pictuer1", 0, 0, 6975, 5175},
};

} // namespace

class TestForm3 : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        app::prepareApplication(*qApp);
        boxFake_ = std::make_unique<platform::Service<platform::MessageBoxService>::Fake>(box_);
    }

    void init() {
        form_ = std::make_unique<windows::Form3>();
        form_->Show();
        QVERIFY(QTest::qWaitForWindowExposed(form_->topLevel()));
    }
    void cleanup() {
        form_.reset();
        QVERIFY2(box_.calls.isEmpty(), qPrintable(box_.calls.value(0).prompt));
    }

    // Opening the window costs nothing of the media framework; the first
    // double-click loads it. (First: later tests load it for the process.)
    void mediaFrameworkWaitsForTheFirstDoubleClick() {
        QVERIFY(!mediaBackendLoaded());
        QVERIFY(form_->window()->findChildren<QMediaPlayer *>().isEmpty());
        testing::CurrentDirectory here(QStringLiteral(SNOMEL_PROGRAM_DIR));
        doubleClick();
        QVERIFY(mediaBackendLoaded());
    }

    void controlsStandWhereTheTableSays() {
        using platform::twips::toPixels;
        for (const Placement &placement : Placements) {
            QWidget *control = form_->control(placement.name);
            QVERIFY2(control, placement.name);
            QWidget *container =
                placement.container ? form_->control(placement.container) : form_->window();
            if (auto *box = qobject_cast<platform::PictureBox *>(container))
                container = box->client();
            QCOMPARE(control->parentWidget(), container);
            QCOMPARE(control->geometry(),
                     toPixels(placement.left, placement.top, placement.width, placement.height));
        }
        QVERIFY(qobject_cast<QGroupBox *>(form_->control("Frame1"))->title().isEmpty());
        QVERIFY(qobject_cast<QGroupBox *>(form_->control("Frame2"))->title().isEmpty());
        QVERIFY(form_->control<platform::PictureBox>("Pictuer1")->picture().isNull());
    }

    // The label asks both children, the tooltip one child, to double-click;
    // both texts byte for byte with their ASCII quotation marks.
    void textsAndStoredSettings() {
        auto *label = form_->control<skin::SkinLabel>("SkinLabel1");
        QVERIFY(label);
        const skin::SkinLabelSettings &stored = label->settings();
        QCOMPARE(stored.caption.toUtf8(), QByteArray(testing::SongLabelCaption));
        QCOMPARE(stored.first, -1);
        QCOMPARE(stored.extentWidth, 11880);
        QCOMPARE(stored.extentHeight, 661);
        QCOMPARE(stored.extentWidth, skin::himetricFromTwips(6735));
        QCOMPARE(stored.extentHeight, skin::himetricFromTwips(375));
        QCOMPARE(QByteArray(stored.font.face), QByteArray("Times New Roman"));
        QCOMPARE(stored.font.points, 12.75);
        QCOMPARE(stored.font.weight, 700);
        QCOMPARE(stored.font.charset, 178);
        QVERIFY(!stored.font.italic && !stored.font.underline && !stored.font.strikeout);
        QCOMPARE(stored.fifth, 1);
        QCOMPARE(stored.sixth, 1);

        MediaPlayer *player = player1();
        QCOMPARE(player->toolTip().toUtf8(),
                 QByteArray("اضغط على الماوس مرتين متتاليتين \"دبل كلك\" للتشغيل"));
        QCOMPARE(player->settings().stream(), windows::MediaPlayer1Settings.stream());
        // The window stores the player's own defaults (URL none, the other
        // texts empty), but for its extent.
        platform::MediaPlayerSettings defaults;
        defaults.extentWidth = 12303;
        defaults.extentHeight = 9128;
        QCOMPARE(windows::MediaPlayer1Settings.stream(), defaults.stream());
        QCOMPARE(player->settings().extentWidth, skin::himetricFromTwips(6975));
        QCOMPARE(player->settings().extentHeight, skin::himetricFromTwips(5175));
        QCOMPARE(QString::fromUtf8(windows::SongFileName).size(), 15);
    }

    // Empty and still until the first double-click; a single click does
    // nothing.
    void opensEmptyAndASingleClickDoesNothing() {
        MediaPlayer *player = player1();
        QCOMPARE(player->state(), State::Empty);
        QVERIFY(player->URL().isEmpty());
        QVERIFY(player->engine() == nullptr);
        testing::CurrentDirectory here(QStringLiteral(SNOMEL_PROGRAM_DIR));
        QTest::mouseClick(player->surface(), Qt::LeftButton, {}, centre());
        QTest::qWait(300);
        QCOMPARE(player->state(), State::Empty);
        QVERIFY(player->URL().isEmpty());
        QVERIFY(player->engine() == nullptr);
    }

    // From the program's folder: the song plays, at its full length, and a
    // double-click while it plays gives the player the name again, which
    // starts it afresh.
    void doubleClickPlaysTheSong() {
        MediaPlayer *player = player1();
        testing::CurrentDirectory here(QStringLiteral(SNOMEL_PROGRAM_DIR));
        QSignalSpy shown(player, &MediaPlayer::firstFrameShown);
        doubleClick();
        QCOMPARE(player->URL(), QString::fromUtf8(testing::SongFile));
        QTRY_COMPARE_WITH_TIMEOUT(player->state(), State::Playing, PlayTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(player->position() > 2500, PlayTimeoutMs);
        QVERIFY(qAbs(player->duration() - testing::ShippedSongMs) < 500);
        QVERIFY(!shown.isEmpty());

        doubleClick();
        QCOMPARE(player->URL(), QString::fromUtf8(testing::SongFile));
        QTRY_VERIFY_WITH_TIMEOUT(player->state() == State::Playing && player->position() < 1500,
                                 PlayTimeoutMs);
        QCOMPARE(shown.size(), 2);
    }

    // Started from another folder, from a folder removed since, or with a
    // FIFO that nobody writes into in place of the song: nothing plays,
    // nothing is shown, no message of the program's own, and the window
    // is never held.
    void fromAnotherFolderNothingPlays_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("another folder") << QStringLiteral("empty");
        QTest::newRow("folder removed") << QStringLiteral("removed");
        QTest::newRow("song a FIFO") << QStringLiteral("fifo");
    }
    void fromAnotherFolderNothingPlays() {
        QFETCH(QString, folder);
        QTemporaryDir elsewhere;
        testing::CurrentDirectory here(elsewhere.path());
        if (folder == QLatin1String("fifo"))
            QCOMPARE(
                mkfifo(QFile::encodeName(QString::fromUtf8(testing::SongFile)).constData(), 0600),
                0);
        if (folder == QLatin1String("removed"))
            QVERIFY(elsewhere.remove());
        MediaPlayer *player = player1();
        QSignalSpy shown(player, &MediaPlayer::firstFrameShown);
        doubleClick();
        QCOMPARE(player->URL(), QString::fromUtf8(testing::SongFile));
        QTRY_COMPARE_WITH_TIMEOUT(player->state(), State::Unavailable, PlayTimeoutMs);
        QTest::qWait(500);
        QCOMPARE(player->state(), State::Unavailable);
        QCOMPARE(player->position(), 0);
        QVERIFY(shown.isEmpty());
        QVERIFY(!player->surface()->hasFrame());
        for (QWidget *widget : QApplication::topLevelWidgets())
            QVERIFY2(!widget->isVisible() || widget == form_->topLevel(),
                     qPrintable(widget->metaObject()->className()));
    }

    // Closing stops the song and releases the pipeline; the next load
    // applies the skin again and shows the player empty.
    void closingStopsAndReopeningIsEmpty() {
        testing::CurrentDirectory here(QStringLiteral(SNOMEL_PROGRAM_DIR));
        doubleClick();
        QTRY_VERIFY_WITH_TIMEOUT(player1()->position() > 500, PlayTimeoutMs);
        const QPointer<QMediaPlayer> engine = player1()->engine();
        QSignalSpy loads(form_.get(), &platform::Form::loaded);
        form_->topLevel()->close();
        QTRY_VERIFY(!form_->isLoaded());
        QVERIFY(engine.isNull());

        form_->Show();
        QVERIFY(QTest::qWaitForWindowExposed(form_->topLevel()));
        QCOMPARE(loads.size(), 1);
        QCOMPARE(player1()->state(), State::Empty);
        QVERIFY(player1()->URL().isEmpty());
        QVERIFY(player1()->engine() == nullptr);
        QVERIFY(form_->control<skin::SkinControl>("Skin1"));
    }

    // The song command makes the window once and shows it modeless; shown
    // again while open it is not loaded again; after a close, it is.
    void songCommandKeepsOneWindow() {
        form_.reset();
        app::Form1 form1;
        form1.Show();
        auto *command = form1.control<QPushButton>("Command34");
        QTest::mouseClick(command, Qt::LeftButton);
        auto *form3 = form1.findChild<windows::Form3 *>();
        QVERIFY(form3);
        QVERIFY(form3->isLoaded());
        QVERIFY(form3->topLevel()->isVisible());
        QVERIFY(!form3->topLevel()->isModal());
        QVERIFY(form3->topLevel()->parentWidget() == nullptr);
        QSignalSpy loads(form3, &platform::Form::loaded);

        QTest::mouseClick(command, Qt::LeftButton);
        QCOMPARE(form1.findChildren<windows::Form3 *>().size(), 1);
        QCOMPARE(loads.size(), 0);

        form3->topLevel()->close();
        QTRY_VERIFY(!form3->isLoaded());
        QTest::mouseClick(command, Qt::LeftButton);
        QCOMPARE(form1.findChild<windows::Form3 *>(), form3);
        QCOMPARE(loads.size(), 1);
        QVERIFY(form3->topLevel()->isVisible());
    }

private:
    MediaPlayer *player1() const { return form_->control<MediaPlayer>("MediaPlayer1"); }
    QPoint centre() const { return player1()->surface()->rect().center(); }
    void doubleClick() const {
        QTest::mouseDClick(player1()->surface(), Qt::LeftButton, {}, centre());
    }

    RecordingMessageBox box_;
    std::unique_ptr<platform::Service<platform::MessageBoxService>::Fake> boxFake_;
    std::unique_ptr<windows::Form3> form_;
};

SNOMEL_MEDIA_TEST_MAIN(TestForm3)
#include "tst_form3.moc"
