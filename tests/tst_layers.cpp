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
    void noCycleBetweenFolders();
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

// Folder A uses folder B when a file of A includes a file of B. No folder may reach itself
// through such uses: each can be read, and changed, before the folders that use it.
void TestLayers::noCycleBetweenFolders() {
    QHash<QString, QSet<QString>> uses;
    const auto folderOf = [](const QString& path) {
        const QStringList parts = path.split(QLatin1Char('/'));
        return parts.size() >= 3 ? parts[0] + QLatin1Char('/') + parts[1] : QString();
    };
    for (const Include& include : includesUnder(sources)) {
        if (!include.quoted)
            continue;
        const QString from = folderOf(include.file.mid(sources.size() + 1));
        const QString to = folderOf(include.header);
        if (!from.isEmpty() && !to.isEmpty() && from != to)
            uses[from].insert(to);
    }
    QVERIFY(uses.contains(QStringLiteral("gui/editor")));
    // Depth-first search; a folder met again while still on the path closes a cycle.
    QHash<QString, int> state; // 1 on the path, 2 done
    QStringList path;
    std::function<QString(const QString&)> visit = [&](const QString& folder) -> QString {
        state[folder] = 1;
        path.append(folder);
        for (const QString& next : uses.value(folder)) {
            if (state.value(next) == 1)
                return (path.mid(path.indexOf(next)) << next).join(QStringLiteral(" -> "));
            if (state.value(next) == 0) {
                const QString cycle = visit(next);
                if (!cycle.isEmpty())
                    return cycle;
            }
        }
        path.removeLast();
        state[folder] = 2;
        return QString();
    };
    for (auto it = uses.cbegin(); it != uses.cend(); ++it) {
        if (state.value(it.key()) == 0) {
            const QString cycle = visit(it.key());
            QVERIFY2(cycle.isEmpty(), qPrintable(cycle));
        }
    }
}

QTEST_APPLESS_MAIN(TestLayers)
#include "tst_layers.moc"
