#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>
#include <functional>

// Runs `work` `rounds` times and prints the mean time per round and the rate.
inline void measure(const QString& name, int rounds, const std::function<void()>& work,
                    double itemsPerRound = 1, const QString& itemName = QStringLiteral("items")) {
    work(); // warm up
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i)
        work();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    QTextStream out(stdout);
    out << qSetFieldWidth(48) << Qt::left << name << qSetFieldWidth(0) << " "
        << QString::number(seconds / rounds * 1000, 'f', 3) << " ms/round  "
        << QString::number(itemsPerRound * rounds / seconds, 'f', 0) << " " << itemName << "/s\n";
}
