// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/media/mediaplayer.h"
#include "platform/media/videosurface.h"
#include "platform/runtimeerror.h"
#include "tests/support/currentdirectory.h"
#include "tests/support/mediatest.h"
#include "tests/support/runtimeerrors.h"
#include "tests/support/soundserver.h"

#include <QAction>
#include <QApplication>
#include <QAudioOutput>
#include <QContextMenuEvent>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMediaPlayer>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <sys/stat.h>

using platform::InvokeKind;
using platform::MediaPlayer;
using platform::MediaPlayerSettings;
using platform::Variant;
using State = MediaPlayer::State;

namespace {

constexpr int PlayTimeoutMs = 15000;
// The song at the player's volume of 50 stays below the tones' loudness.
constexpr int QuietSong = 1000;

// The top-level windows other than the ones given: a dialog of the player's
// would be one.
QWidgetList otherTopLevels(const QWidgetList &known) {
    QWidgetList others;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && !known.contains(widget))
            others.append(widget);
    return others;
}

} // namespace

class TestMediaPlayer : public QObject {
    Q_OBJECT
private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
        QVERIFY(QFile::copy(testing::shippedSong(), folder_->filePath(QStringLiteral("song.wmv"))));
        window_ = std::make_unique<QWidget>();
        window_->resize(465, 345);
        player_ = new MediaPlayer(settings(), window_.get());
        player_->setGeometry(0, 0, 465, 345);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        window_.reset();
        folder_.reset();
    }

    // The settings follow the header in their order, each in its own type.
    // The URL is none (stored as 0xFFFFFFFF), the other texts empty (stored
    // with a length of 0): reading back keeps the difference.
    void storedSettingsReadBackInOrder() {
        MediaPlayerSettings stored = settings();
        stored.baseURL = QStringLiteral("base");
        stored.captioningID = QStringLiteral("captions");
        QCOMPARE(stored.stream().mid(4, 4), QByteArray(4, '\xFF'));
        QCOMPARE(stored.stream().mid(28, 4), QByteArray(4, '\0')); // defaultFrame
        QDataStream in(stored.stream());
        in.setByteOrder(QDataStream::LittleEndian);
        in.setFloatingPointPrecision(QDataStream::DoublePrecision);
        quint32 header = 0;
        QString url, defaultFrame, baseURL, uiMode, samiStyle, samiLang, samiFile, captioning;
        double rate = 0, position = -1;
        qint32 balance = -1, playCount = 0, marker = -1, volume = 0, extentW = 0, extentH = 0;
        bool autoStart = false, invokeURLs = false, mute = true, stretch = true, windowless = true,
             enabled = false, menu = false, fullScreen = true, errorDialogs = true;
        in >> header >> url >> rate >> balance >> position >> defaultFrame >> playCount >>
            autoStart >> marker >> invokeURLs >> baseURL >> volume >> mute >> uiMode >> stretch >>
            windowless >> enabled >> menu >> fullScreen >> samiStyle >> samiLang >> samiFile >>
            captioning >> errorDialogs >> extentW >> extentH;
        QCOMPARE(in.status(), QDataStream::Ok);
        QVERIFY(in.atEnd());
        QCOMPARE(header, 0x0300u);
        QVERIFY(url.isNull());
        QCOMPARE(rate, 1.0);
        QCOMPARE(balance, 0);
        QCOMPARE(position, 0.0);
        QVERIFY(!defaultFrame.isNull() && defaultFrame.isEmpty());
        QCOMPARE(playCount, 1);
        QVERIFY(autoStart);
        QCOMPARE(marker, 0);
        QVERIFY(invokeURLs);
        QCOMPARE(baseURL, QStringLiteral("base"));
        QCOMPARE(volume, 50);
        QVERIFY(!mute);
        QCOMPARE(uiMode, QStringLiteral("full"));
        QVERIFY(!stretch);
        QVERIFY(!windowless);
        QVERIFY(enabled);
        QVERIFY(menu);
        QVERIFY(!fullScreen);
        for (const QString &empty : {samiStyle, samiLang, samiFile})
            QVERIFY(!empty.isNull() && empty.isEmpty());
        QCOMPARE(captioning, QStringLiteral("captions"));
        QVERIFY(!errorDialogs);
        QCOMPARE(extentW, 12303);
        QCOMPARE(extentH, 9128);
    }

    // Never enlarged unless stretched; scaled down keeping the aspect;
    // always centred.
    void videoRectRule() {
        const QRect area(0, 0, 465, 290);
        QCOMPARE(platform::videoRect({160, 120}, area, false), QRect(152, 85, 160, 120));
        QCOMPARE(platform::videoRect({480, 276}, area, false), QRect(0, 11, 465, 267));
        QCOMPARE(platform::videoRect({100, 400}, area, false), QRect(196, 0, 72, 290));
        QCOMPARE(platform::videoRect({160, 120}, area, true), QRect(39, 0, 386, 290));
        QVERIFY(platform::videoRect({0, 0}, area, false).isEmpty());
    }

    // Empty and still, with the framework untouched, until media comes.
    void opensEmpty() {
        QVERIFY(player_->engine() == nullptr);
        QCOMPARE(player_->state(), State::Empty);
        QVERIFY(player_->URL().isEmpty());
        QVERIFY(!player_->playPauseAction()->isEnabled());
        QVERIFY(!player_->surface()->hasFrame());
        QCOMPARE(player_->volume(), 50);
        QVERIFY(!player_->isMuted());
        QCOMPARE(stateLabel()->text(), QStringLiteral("جاهز"));
        QCOMPARE(player_->contextMenuPolicy(), Qt::DefaultContextMenu);
        QVERIFY(player_->controlBar()->isVisible());
        QVERIFY(player_->controlBar()->geometry().top() >= player_->surface()->geometry().bottom());
    }

    // The menu offers the player's own actions, and the window may be
    // closed from the desktop while it is open.
    void contextMenuWhileTheWindowGoes() {
        QPointer<QMenu> menu;
        bool offered = false;
        QTimer::singleShot(0, this, [&] {
            menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            offered = menu && menu->actions().contains(player_->playPauseAction());
            window_.reset();
        });
        const QPoint at = player_->surface()->geometry().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, player_->mapToGlobal(at));
        QCoreApplication::sendEvent(player_, &event);
        QTRY_VERIFY(!window_);
        QVERIFY2(offered, "no menu of the player's actions was open");
        QVERIFY2(menu.isNull(), "the menu outlived its player");
    }

    // URL is dispatch identifier 1, put with one string; anything else is
    // the platform's runtime error.
    void dispatchInterface() {
        QCOMPARE(testing::errorNumberOf(
                     [&] { player_->Invoke(2, InvokeKind::PropertyPut, {Variant(1)}); }),
                 platform::errors::ObjectDoesntSupport);
        QCOMPARE(testing::errorNumberOf([&] { player_->Invoke(1, InvokeKind::Method, {}); }),
                 platform::errors::ObjectDoesntSupport);
        QCOMPARE(testing::errorNumberOf(
                     [&] { player_->Invoke(1, InvokeKind::PropertyPut, {Variant(7)}); }),
                 platform::errors::TypeMismatch);
        QCOMPARE(testing::errorNumberOf([&] { player_->Invoke(1, InvokeKind::PropertyPut, {}); }),
                 platform::errors::WrongNumberOfArguments);
        QVERIFY(player_->engine() == nullptr);

        testing::CurrentDirectory here(folder_->path());
        player_->Invoke(1, InvokeKind::PropertyPut, {Variant(QStringLiteral("song.wmv"))});
        QCOMPARE(player_->Invoke(1, InvokeKind::PropertyGet, {}).toBstr(),
                 QStringLiteral("song.wmv"));
    }

    // A bare name is looked up in the current directory of the moment of
    // the assignment; the video plays at once, at its length, shown scaled
    // down into the surface.
    void playsAtOnceFromTheCurrentDirectory() {
        QSignalSpy shown(player_, &MediaPlayer::firstFrameShown);
        {
            testing::CurrentDirectory here(folder_->path());
            player_->setURL(QStringLiteral("song.wmv"));
        }
        QCOMPARE(player_->engine()->source(),
                 QUrl::fromLocalFile(folder_->filePath(QStringLiteral("song.wmv"))));
        QTRY_COMPARE_WITH_TIMEOUT(player_->state(), State::Playing, PlayTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(player_->position() > 1000, PlayTimeoutMs);
        QVERIFY(qAbs(player_->duration() - testing::ShippedSongMs) < 500);
        QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), PlayTimeoutMs);
        QCOMPARE(shown.size(), 1);

        const QRect frame = player_->surface()->frameRect();
        const QRect area = player_->surface()->rect();
        QVERIFY(frame.width() == area.width() || frame.height() == area.height());
        QVERIFY(area.contains(frame));
        QVERIFY(qAbs(frame.width() * 276 - frame.height() * 480) < 480 * 2);

        QCOMPARE(player_->engine()->playbackRate(), 1.0);
        QCOMPARE(player_->engine()->loops(), 1);
        QCOMPARE(stateLabel()->text(), QStringLiteral("يعمل"));
        QVERIFY(timeLabel()->text().endsWith(QStringLiteral("/ 1:27")));
        QVERIFY(otherTopLevels({window_.get()}).isEmpty());
    }

    // Pause, play, stop through the bar's actions, and the volume and mute,
    // which the context menu shares.
    void controlsWork() {
        testing::CurrentDirectory here(folder_->path());
        player_->setURL(QStringLiteral("song.wmv"));
        QTRY_COMPARE_WITH_TIMEOUT(player_->state(), State::Playing, PlayTimeoutMs);
        player_->playPauseAction()->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(player_->state(), State::Paused, PlayTimeoutMs);
        const qint64 pausedAt = player_->position();
        QTest::qWait(300);
        QCOMPARE(player_->position(), pausedAt);
        player_->playPauseAction()->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(player_->state(), State::Playing, PlayTimeoutMs);
        player_->stopAction()->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(player_->state(), State::Stopped, PlayTimeoutMs);
        QCOMPARE(player_->position(), 0);
        QVERIFY(!player_->surface()->hasFrame());

        player_->volumeUpAction()->trigger();
        QCOMPARE(player_->volume(), 60);
        player_->muteAction()->trigger();
        QVERIFY(player_->isMuted());
        QVERIFY(player_->engine()->audioOutput()->isMuted());
        QVERIFY(player_->engine()->audioOutput()->volume() < 0.6F);
        QCOMPARE(player_->contextActions(),
                 (QList<QAction *>{player_->playPauseAction(), player_->stopAction(),
                                   player_->muteAction(), player_->volumeUpAction(),
                                   player_->volumeDownAction()}));
    }

    // The bar alone, with no media at all: its buttons ask for play, pause
    // and stop, its volume buttons for a step, and it shows what it is told.
    void theBarAsksAndShowsWhatItIsTold() {
        platform::PlayerControls bar(window_.get());
        bar.show();
        QSignalSpy play(&bar, &platform::PlayerControls::play);
        QSignalSpy pause(&bar, &platform::PlayerControls::pause);
        QSignalSpy stop(&bar, &platform::PlayerControls::stop);
        QSignalSpy volume(&bar, &platform::PlayerControls::volumeChanged);
        const auto click = [&bar](QAction *action) {
            for (QToolButton *button : bar.findChildren<QToolButton *>())
                if (button->defaultAction() == action)
                    QTest::mouseClick(button, Qt::LeftButton);
        };
        click(bar.playPauseAction());
        QVERIFY(play.isEmpty()); // nothing to play yet
        bar.setState(State::Paused, true);
        click(bar.playPauseAction());
        QCOMPARE(play.size(), 1);
        bar.setState(State::Playing, true);
        QCOMPARE(bar.playPauseAction()->text(), QStringLiteral("إيقاف مؤقت"));
        click(bar.playPauseAction());
        QCOMPARE(pause.size(), 1);
        click(bar.stopAction());
        QCOMPARE(stop.size(), 1);
        bar.setState(State::Stopped, true);
        QVERIFY(!bar.stopAction()->isEnabled());
        QCOMPARE(bar.findChild<QLabel *>(QStringLiteral("stateText"))->text(),
                 QStringLiteral("متوقف"));
        bar.setProgress(61000, testing::ShippedSongMs);
        QCOMPARE(bar.findChild<QLabel *>(QStringLiteral("timeText"))->text(),
                 QStringLiteral("1:01 / 1:27"));
        bar.setVolume(100);
        QVERIFY(!bar.volumeUpAction()->isEnabled());
        bar.volumeDownAction()->trigger();
        QCOMPARE(volume.takeFirst().at(0).toInt(), 90);
    }

    // Missing, unplayable, a FIFO nobody writes into: no dialog, no
    // picture, nothing playing, the interface never held; the bar says so
    // calmly. A later good file still plays.
    void unplayableFilesStayQuiet_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("fifo");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("not a video")
            << QByteArray("this is not a video, only some text\n") << false;
        QTest::newRow("cut short") << [] {
            QFile song(testing::shippedSong());
            return song.open(QIODevice::ReadOnly) ? song.read(3000) : QByteArray();
        }() << false;
        QTest::newRow("fifo") << QByteArray() << true;
    }
    void unplayableFilesStayQuiet() {
        QFETCH(QByteArray, content);
        QFETCH(bool, fifo);
        testing::CurrentDirectory here(folder_->path());
        const QString name = QStringLiteral("broken.wmv");
        if (!content.isEmpty()) {
            QFile file(folder_->filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        if (fifo)
            QCOMPARE(mkfifo(QFile::encodeName(folder_->filePath(name)).constData(), 0600), 0);
        player_->setURL(name);
        QTRY_COMPARE_WITH_TIMEOUT(player_->state(), State::Unavailable, PlayTimeoutMs);
        QTest::qWait(300);
        QCOMPARE(player_->state(), State::Unavailable);
        QCOMPARE(player_->position(), 0);
        QVERIFY(!player_->surface()->hasFrame());
        QCOMPARE(player_->engine()->playbackState(), QMediaPlayer::StoppedState);
        QCOMPARE(stateLabel()->text(), QStringLiteral("الملف غير متاح"));
        QVERIFY(otherTopLevels({window_.get()}).isEmpty());

        player_->setURL(QStringLiteral("song.wmv"));
        QTRY_VERIFY_WITH_TIMEOUT(player_->position() > 300, PlayTimeoutMs);
    }

    // The sound server killed and started again: the song given again, as a
    // double-click gives it, is heard.
    void theSongIsHeardAfterTheServerCameBack() {
        if (!testing::usingTestSoundServer())
            QSKIP("needs the test sound server (scripts/test starts one)");
        testing::CurrentDirectory here(folder_->path());
        const auto songHeardMs = [this] {
            testing::SinkRecorder recorder;
            if (!recorder.started())
                return -1;
            player_->setURL(QStringLiteral("song.wmv"));
            if (!QTest::qWaitFor([this] { return player_->position() > 3000; }, PlayTimeoutMs))
                return -2;
            return testing::audibleMs(recorder.stop(), QuietSong);
        };
        const int before = songHeardMs();
        QVERIFY2(before > 1000, qPrintable(QString::number(before)));
        {
            testing::SoundServerAway away;
            QVERIFY(away.isAway());
        }
        const int after = songHeardMs();
        QVERIFY2(after > 1000, qPrintable(QString::number(after)));
    }

    // Assigning the same name again opens it afresh, from the start.
    void sameNameAgainRestarts() {
        testing::CurrentDirectory here(folder_->path());
        player_->setURL(QStringLiteral("song.wmv"));
        QTRY_VERIFY_WITH_TIMEOUT(player_->position() > 2000, PlayTimeoutMs);
        player_->setURL(QStringLiteral("song.wmv"));
        QTRY_VERIFY_WITH_TIMEOUT(player_->state() == State::Playing && player_->position() < 1500,
                                 PlayTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(player_->position() > 300, PlayTimeoutMs);
    }

    // A double-click on the video raises the notification with the button,
    // the shift state and the position in the control; a single click
    // raises nothing.
    void doubleClickNotification() {
        QSignalSpy spy(player_, &MediaPlayer::doubleClicked);
        QWidget *surface = player_->surface();
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(40, 30));
        QTest::qWait(50);
        QVERIFY(spy.isEmpty());
        QTest::mouseDClick(surface, Qt::LeftButton, Qt::ShiftModifier, QPoint(40, 30));
        QTest::mouseDClick(surface, Qt::RightButton, Qt::ControlModifier | Qt::AltModifier,
                           QPoint(10, 20));
        QCOMPARE(spy.size(), 2);
        const QPoint at = surface->mapTo(player_, QPoint(40, 30));
        QCOMPARE(spy[0], (QVariantList{short(1), short(1), at.x(), at.y()}));
        QCOMPARE(spy[1].at(0).value<short>(), short(2));
        QCOMPARE(spy[1].at(1).value<short>(), short(6));
        QVERIFY(player_->engine() == nullptr);
    }

    // The control takes its pipeline with it: nothing plays on.
    void destroyedWhilePlayingReleasesThePipeline() {
        testing::CurrentDirectory here(folder_->path());
        player_->setURL(QStringLiteral("song.wmv"));
        QTRY_VERIFY_WITH_TIMEOUT(player_->position() > 500, PlayTimeoutMs);
        const QPointer<QMediaPlayer> engine = player_->engine();
        delete player_;
        QVERIFY(engine.isNull());
    }

    // Other stored values take effect: no bar, no menu, muted, a stored
    // medium opened at a stored position, started or not.
    void otherSettingsAreHonoured_data() {
        QTest::addColumn<bool>("autoStart");
        QTest::newRow("waiting") << false;
        QTest::newRow("started") << true;
    }
    void otherSettingsAreHonoured() {
        QFETCH(bool, autoStart);
        MediaPlayerSettings other = settings();
        other.uiMode = QStringLiteral("none");
        other.enableContextMenu = false;
        other.mute = true;
        other.volume = 20;
        other.autoStart = autoStart;
        other.URL = folder_->filePath(QStringLiteral("song.wmv"));
        other.currentPosition = 5.0;
        QElapsedTimer clock;
        clock.start();
        MediaPlayer player(other, window_.get());
        QVERIFY(player.controlBar() == nullptr);
        QCOMPARE(player.contextMenuPolicy(), Qt::NoContextMenu);
        QCOMPARE(player.URL(), other.URL);
        QTRY_VERIFY_WITH_TIMEOUT(player.position() >= 4900, PlayTimeoutMs);
        QVERIFY2(clock.elapsed() < 4000, "got there by seeking, not by playing from the start");
        if (autoStart) {
            QTRY_VERIFY_WITH_TIMEOUT(player.position() >= 5500, PlayTimeoutMs);
            QCOMPARE(player.state(), State::Playing);
        } else {
            QTest::qWait(300);
            QCOMPARE(player.state(), State::Paused);
            QVERIFY(player.position() < 5100);
        }
        QVERIFY(player.engine()->audioOutput()->isMuted());
        QCOMPARE(player.volume(), 20);
    }

private:
    static MediaPlayerSettings settings() {
        MediaPlayerSettings settings;
        settings.extentWidth = 12303;
        settings.extentHeight = 9128;
        return settings;
    }
    QLabel *stateLabel() const { return player_->findChild<QLabel *>(QStringLiteral("stateText")); }
    QLabel *timeLabel() const { return player_->findChild<QLabel *>(QStringLiteral("timeText")); }

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<QWidget> window_;
    MediaPlayer *player_ = nullptr;
};

SNOMEL_MEDIA_TEST_MAIN(TestMediaPlayer)
#include "tst_mediaplayer.moc"
