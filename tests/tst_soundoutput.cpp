// The sound output: the module opened on a thread of its own so that the windows never wait
// for it, and opened only when the sound is on.
#include "extras/SoundPlayer.h"
#include "platform/SoundOutput.h"

#include <QMutex>
#include <QSemaphore>
#include <QtTest>

#include <atomic>

namespace {

// A sound module whose opening waits for the test's word, as a slow sound server would.
struct ModuleLog {
    QSemaphore mayOpen;
    std::atomic<bool> opened = false;
    std::atomic<int> loads = 0;
    bool hasOutput = true;
    QMutex mutex;
    QStringList played;

    QStringList playedNow() {
        QMutexLocker lock(&mutex);
        return played;
    }
};

std::function<std::optional<SoundModule>()> moduleLoader(ModuleLog& log) {
    return [&log]() -> std::optional<SoundModule> {
        ++log.loads;
        return SoundModule{[&log] {
                               // Never forever: a test that waits here fails instead of hanging.
                               log.mayOpen.tryAcquire(1, 5000);
                               log.opened = true;
                               return log.hasOutput;
                           },
                           [&log](const QString& path) {
                               QMutexLocker lock(&log.mutex);
                               log.played << path;
                           },
                           [] {}};
    };
}

} // namespace

class SoundOutputTest : public QObject {
    Q_OBJECT

private slots:
    // Steps: "play:NAME", "open" lets the module's opening finish, "heard" waits until the last
    // play has been played. The module's opening waits for "open"; no play may wait for it.
    void playsNeverWaitForTheOutput_data() {
        QTest::addColumn<bool>("hasOutput");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("played");
        QTest::newRow("a play before the output is open is played once it is")
            << true << QStringList{"play:a", "open"} << QStringList{"a"};
        QTest::newRow("of plays waiting for the opening the newest is played")
            << true << QStringList{"play:a", "play:b", "open"} << QStringList{"b"};
        QTest::newRow("once open, every play is played")
            << true << QStringList{"play:a", "open", "heard", "play:b", "heard", "play:c"}
            << QStringList{"a", "b", "c"};
        QTest::newRow("without an audio output nothing is played")
            << false << QStringList{"play:a", "open", "play:b"} << QStringList{};
    }
    void playsNeverWaitForTheOutput() {
        QFETCH(bool, hasOutput);
        QFETCH(QStringList, steps);
        ModuleLog log;
        log.hasOutput = hasOutput;
        {
            SoundOutput output(moduleLoader(log));
            bool mayOpen = false;
            QString last;
            for (const QString& step : steps) {
                if (step.startsWith("play:")) {
                    last = step.mid(5);
                    output.play(last);
                    // Back while the opening still waits: the play did not wait for it.
                    if (!mayOpen)
                        QVERIFY(!log.opened);
                } else if (step == "open") {
                    mayOpen = true;
                    log.mayOpen.release();
                } else {
                    QTRY_VERIFY(log.playedNow().contains(last));
                }
            }
        }
        QCOMPARE(log.loads.load(), 1);
        QTEST(log.playedNow(), "played");
    }

    // Steps on the player: "on" and "off" switch the sound, "painted" is the main window's
    // first painting, which allows the output. `opened`: whether the module was loaded.
    void outputOpensOnlyWhenTheSoundIsOn_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("opened");
        QTest::newRow("on at the start: opened once the window has painted")
            << QStringList{"on", "painted"} << true;
        QTest::newRow("on, before the window has painted: nothing yet")
            << QStringList{"on"} << false;
        QTest::newRow("off at the start: nothing, even once painted")
            << QStringList{"off", "painted"} << false;
        QTest::newRow("switched on later: opened then")
            << QStringList{"off", "painted", "on"} << true;
    }
    void outputOpensOnlyWhenTheSoundIsOn() {
        QFETCH(QStringList, steps);
        ModuleLog log;
        log.mayOpen.release();
        {
            SoundOutput output(moduleLoader(log));
            SoundPlayer player(&output);
            for (const QString& step : steps) {
                if (step == "painted")
                    player.allowOutput();
                else
                    player.setSwitchedOn(step == "on");
            }
        }
        QTEST(log.loads.load() == 1, "opened");
    }
};

QTEST_GUILESS_MAIN(SoundOutputTest)
#include "tst_soundoutput.moc"
