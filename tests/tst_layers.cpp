// The widget-free library stays widget-free, and the layers include each other in one
// direction only: gui may use core, the programs may use both, core uses neither.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <functional>

namespace {

struct Include {
    QString file;
    QString header;
    bool quoted;
};

QList<Include> includesUnder(const QString& folder) {
    QList<Include> found;
    static const QRegularExpression line(
        QStringLiteral("^\\s*#\\s*include\\s*([\"<])([^\">]+)[\">]"),
        QRegularExpression::MultilineOption);
    QDirIterator it(folder, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        for (auto m = line.globalMatch(text); m.hasNext();) {
            const auto match = m.next();
            found.append({path, match.captured(2), match.captured(1) == QLatin1String("\"")});
        }
    }
    return found;
}

const QString sources = QStringLiteral(KELVRA_SOURCE_DIR "/src");

} // namespace

class TestLayers : public QObject {
    Q_OBJECT
private slots:
    void coreIncludesNoWidgets();
    void layersIncludeDownwardsOnly();
    void modelIncludesOnlyTheModel();
    void noCycle_data();
    void noCycle();
};

// A Qt header that exists among the QtWidgets headers is a widget header.
void TestLayers::coreIncludesNoWidgets() {
    const QDir widgets(QStringLiteral(KELVRA_QTWIDGETS_HEADERS));
    QVERIFY2(widgets.exists(QStringLiteral("QWidget")), "the QtWidgets headers were not found");
    const QList<Include> includes = includesUnder(sources + QStringLiteral("/core"));
    QVERIFY(includes.size() > 100);
    for (const Include& include : includes) {
        const QString name = include.header.section(QLatin1Char('/'), -1);
        const bool widgetHeader =
            !include.quoted &&
            (widgets.exists(name) || include.header.startsWith(QLatin1String("QtWidgets")));
        QVERIFY2(!widgetHeader, qPrintable(include.file + QStringLiteral(" includes <") +
                                           include.header + QLatin1Char('>')));
    }
}

void TestLayers::layersIncludeDownwardsOnly() {
    const QStringList layers = {QStringLiteral("core"), QStringLiteral("gui"),
                                QStringLiteral("cli"), QStringLiteral("app")};
    // What each layer may include of ours besides itself.
    const QHash<QString, QStringList> allowed = {
        {QStringLiteral("core"), {}},
        {QStringLiteral("gui"), {QStringLiteral("core")}},
        {QStringLiteral("cli"), {QStringLiteral("core")}},
        {QStringLiteral("app"), {QStringLiteral("core"), QStringLiteral("gui")}},
    };
    for (const QString& layer : layers) {
        for (const Include& include : includesUnder(sources + QLatin1Char('/') + layer)) {
            if (!include.quoted)
                continue;
            const QString target = include.header.section(QLatin1Char('/'), 0, 0);
            if (target == layer || !layers.contains(target))
                continue; // its own files, or a header beside the including file
            QVERIFY2(allowed[layer].contains(target),
                     qPrintable(include.file + QStringLiteral(" includes ") + include.header));
        }
    }
}

// The model is the base of the core: blocks, lines and the interfaces through which they
// reach their drawing objects, messages and questions.
void TestLayers::modelIncludesOnlyTheModel() {
    for (const Include& include : includesUnder(sources + QStringLiteral("/core/model"))) {
        if (include.quoted && include.header.startsWith(QLatin1String("core/")))
            QVERIFY2(include.header.startsWith(QLatin1String("core/model/")),
                     qPrintable(include.file + QStringLiteral(" includes ") + include.header));
    }
}

// The first cycle of uses found, as "a -> b -> a"; empty when there is none.
QString cycleIn(const QHash<QString, QSet<QString>>& uses) {
    // Depth-first search; a unit met again while still on the path closes a cycle.
    QHash<QString, int> state; // 1 on the path, 2 done
    QStringList path;
    std::function<QString(const QString&)> visit = [&](const QString& unit) -> QString {
        state[unit] = 1;
        path.append(unit);
        for (const QString& next : uses.value(unit)) {
            if (state.value(next) == 1)
                return (path.mid(path.indexOf(next)) << next).join(QStringLiteral(" -> "));
            if (state.value(next) == 0) {
                const QString cycle = visit(next);
                if (!cycle.isEmpty())
                    return cycle;
            }
        }
        path.removeLast();
        state[unit] = 2;
        return QString();
    };
    for (auto it = uses.cbegin(); it != uses.cend(); ++it) {
        if (state.value(it.key()) == 0) {
            const QString cycle = visit(it.key());
            if (!cycle.isEmpty())
                return cycle;
        }
    }
    return QString();
}

// Folder A uses folder B when a file of A includes a file of B; a class (its header and its
// source together) uses another when either includes the other's header. Neither may reach
// itself through such uses: each can be read, and changed, before what uses it.
void TestLayers::noCycle_data() {
    QTest::addColumn<bool>("byFolder");
    QTest::newRow("between folders") << true;
    QTest::newRow("between classes") << false;
}

void TestLayers::noCycle() {
    QFETCH(bool, byFolder);
    const auto unitOf = [byFolder](const QString& path) {
        if (!byFolder)
            return path.section(QLatin1Char('.'), 0, 0);
        const QStringList parts = path.split(QLatin1Char('/'));
        return parts.size() >= 3 ? parts[0] + QLatin1Char('/') + parts[1] : QString();
    };
    QHash<QString, QSet<QString>> uses;
    for (const Include& include : includesUnder(sources)) {
        if (!include.quoted)
            continue;
        const QString from = unitOf(include.file.mid(sources.size() + 1));
        const QString to = unitOf(include.header);
        if (!from.isEmpty() && !to.isEmpty() && from != to)
            uses[from].insert(to);
    }
    QVERIFY(uses.contains(byFolder ? QStringLiteral("gui/editor")
                                   : QStringLiteral("gui/editor/MainWindow")));
    const QString cycle = cycleIn(uses);
    QVERIFY2(cycle.isEmpty(), qPrintable(cycle));
}

QTEST_APPLESS_MAIN(TestLayers)
#include "tst_layers.moc"
