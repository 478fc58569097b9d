#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>
#include <functional>

#include <algorithm>
#include <limits>
#include <sys/resource.h>

// Runs `work` `rounds` times and prints the fastest round's time and rate: on a shared
// machine the fastest round is the one least disturbed by others.
inline void measure(const QString& name, int rounds, const std::function<void()>& work,
                    double itemsPerRound = 1, const QString& itemName = QStringLiteral("items")) {
    work(); // warm up
    double best = std::numeric_limits<double>::max();
    QElapsedTimer timer;
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e9);
    }
    QTextStream out(stdout);
    out << qSetFieldWidth(48) << Qt::left << name << qSetFieldWidth(0) << " "
        << QString::number(best * 1000, 'f', 3) << " ms/round  "
        << QString::number(itemsPerRound / best, 'f', 0) << " " << itemName << "/s\n";
}

// The most memory the process has held, in megabytes.
inline long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}
