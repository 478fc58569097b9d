#include "core/execution/RunPhase.h"

#include <QTest>

// The run controls' table, column by column, for every speed position.
class TestRunPhase : public QObject {
    Q_OBJECT
private slots:
    void afterARun();
    void timedRun();
    void runAtIntervalZero();
    void speedLockedOnlyWhileUnderWay();
};

void TestRunPhase::afterARun() {
    for (int speed = 0; speed <= 5; ++speed) {
        const RunControlStates s = runControlStates(RunPhase::Idle, speed, false);
        QCOMPARE(s.run, speed > 0);
        QCOMPARE(s.nextStep, speed == 0);
        QVERIFY(!s.pause && !s.pauseTicked);
        QVERIFY(s.vars && s.runMenus && s.fileMenus && s.speed && s.stop);
    }
}

void TestRunPhase::timedRun() {
    for (int speed = 0; speed <= 5; ++speed) {
        for (RunPhase phase : {RunPhase::Running, RunPhase::Paused}) {
            const RunControlStates s = runControlStates(phase, speed, false);
            QVERIFY(!s.run);
            QCOMPARE(s.nextStep, speed == 0);
            QVERIFY(s.pause);
            QCOMPARE(s.pauseTicked, phase == RunPhase::Paused);
            QVERIFY(!s.vars && !s.runMenus && !s.fileMenus);
            QVERIFY(s.speed);
            QVERIFY(s.stop);
        }
    }
}

void TestRunPhase::runAtIntervalZero() {
    const RunControlStates stepping = runControlStates(RunPhase::Stepping, 0, false);
    QVERIFY(!stepping.run && stepping.nextStep && !stepping.pause && !stepping.vars);
    QVERIFY(!stepping.runMenus && !stepping.fileMenus && stepping.speed && stepping.stop);
    const RunControlStates racing = runControlStates(RunPhase::Racing, 3, true);
    QVERIFY(!racing.run && !racing.nextStep && !racing.pause && !racing.vars);
    QVERIFY(!racing.runMenus && !racing.fileMenus && !racing.speed);
    QVERIFY(racing.stop); // the only way out of a fast run
}

void TestRunPhase::speedLockedOnlyWhileUnderWay() {
    QVERIFY(!runControlStates(RunPhase::Stepping, 0, true).speed);
    QVERIFY(!runControlStates(RunPhase::Running, 3, true).speed);
    QVERIFY(runControlStates(RunPhase::Idle, 0, true).speed);
    QVERIFY(runControlStates(RunPhase::Idle, 4, true).run);
}

QTEST_APPLESS_MAIN(TestRunPhase)
#include "tst_runphase.moc"
