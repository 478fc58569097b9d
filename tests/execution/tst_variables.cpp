#include "TestDiagram.h"
#include "core/execution/VariableStore.h"
#include "core/model/BlockKinds.h"
#include "gui/execution/VariablesWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

class TestVariables : public QObject {
    Q_OBJECT
private slots:
    void headersAfterClearing();
    void threeAssignments();
    void namesIgnoreLetterCase();
    void stepLabels();
    void longRunsStayCompact();
    void historyKeepsEveryText_data();
    void historyKeepsEveryText();
    void endlessRunsKeepTheNewestHistoryWithinTheBudget();
    void pointingAtAValue();
};

void TestVariables::headersAfterClearing() {
    CollectingSink sink;
    VariableStore store(sink);
    store.setVar("Α", "1", "id1", "1");
    store.clearVars();
    QCOMPARE(store.rowCount(), 2);
    QCOMPARE(store.columnCount(), 1);
    QCOMPARE(store.valueCell(0, 0), QStringLiteral("BHM/MET"));
    QCOMPARE(store.valueCell(1, 0), QStringLiteral("TEΛΙΚΕΣ"));
    QCOMPARE(store.getVar("Α"), QStringLiteral("0"));
    QCOMPARE(sink.messages.size(), 1);
}

void TestVariables::threeAssignments() {
    CollectingSink sink;
    VariableStore store(sink);
    store.setVar("Α", "1", "id3", "1");
    store.setVar("Β", "2", "id4", "1+1");
    store.setVar("Α", "3", "id5", "1+2");
    QCOMPARE(store.columnCount(), 3);
    QCOMPARE(store.rowCount(), 5);
    QCOMPARE(store.valueCell(0, 1), QStringLiteral("Α"));
    QCOMPARE(store.valueCell(0, 2), QStringLiteral("Β"));
    QCOMPARE(store.valueCell(1, 1), QStringLiteral("3"));
    QCOMPARE(store.valueCell(1, 2), QStringLiteral("2"));
    const QStringList columnA = {store.valueCell(2, 1), store.valueCell(3, 1),
                                 store.valueCell(4, 1)};
    QCOMPARE(columnA, QStringList({"1", "", "3"}));
    QCOMPARE(store.valueCell(3, 2), QStringLiteral("2"));
    QCOMPARE(store.valueCell(4, 0), QStringLiteral("Βήμα:005"));
    QCOMPARE(store.textCell(3, 2), QStringLiteral("1+1"));
    QCOMPARE(store.textCell(1, 1), QStringLiteral("1+2"));
    QVERIFY(store.textCell(3, 1).isEmpty());
}

void TestVariables::namesIgnoreLetterCase() {
    CollectingSink sink;
    VariableStore store(sink);
    store.setVar("ΣΥΝΟΛΟ", "1", "id1", "");
    store.setVar("σύνολο", "2", "id1", "");
    store.setVar("sum", "3", "id1", "");
    QCOMPARE(store.findVarColumn("Σύνολο"), 2); // accents still count, case does not
    QCOMPARE(store.findVarColumn("ΣΥΝΟΛΟ"), 1);
    QCOMPARE(store.findVarColumn("SUM"), 3);
    QCOMPARE(store.getVar("συνολο"), QStringLiteral("1"));
    QCOMPARE(store.ifVarGetValue("Sum"), QStringLiteral("3"));
}

void TestVariables::stepLabels() {
    QCOMPARE(VariableStore::stepLabel("id7"), QStringLiteral("Βήμα:007"));
    QCOMPARE(VariableStore::stepLabel("id12"), QStringLiteral("Βήμα:012"));
    QCOMPARE(VariableStore::stepLabel("id1234"), QStringLiteral("Βήμα:234"));
}

void TestVariables::longRunsStayCompact() {
    CollectingSink sink;
    VariableStore store(sink);
    for (int i = 0; i < 100000; ++i)
        store.setVar(i % 2 ? "Ι" : "Σ", QString::number(i), "id4", "Ι+1");
    QCOMPARE(store.rowCount(), 100002);
    QCOMPARE(store.valueCell(0, 2), QStringLiteral("Ι"));
    QCOMPARE(store.valueCell(100001, 2), QStringLiteral("99999"));
    QVERIFY(store.valueCell(100001, 1).isEmpty());
    QCOMPARE(store.textCell(100001, 2), QStringLiteral("Ι+1"));
}

// Numbers and Greek take one byte a character in the history; any other text comes back
// whole too, and dropping the oldest rows keeps the newest readable.
void TestVariables::historyKeepsEveryText_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("oneByteEach");
    QTest::newRow("a number") << "-12.5"
                              << "Σ+Ι*2" << true;
    QTest::newRow("accented Greek") << "ΆΈΉΊΌΎΏ ώϊΰ"
                                    << "\"ΤΈΛΟΣ\"" << true;
    QTest::newRow("nothing") << ""
                             << "" << true;
    QTest::newRow("Latin accents") << "naïve"
                                   << "Χ" << false;
    QTest::newRow("beyond the basic plane") << "😀"
                                            << "\"😀\"" << false;
    QTest::newRow("a symbol") << "5€"
                              << "Α" << false;
}

void TestVariables::historyKeepsEveryText() {
    QFETCH(QString, value);
    QFETCH(QString, text);
    QFETCH(bool, oneByteEach);
    CollectingSink sink;
    VariableStore store(sink);
    store.setHistoryBudget(8 * 1024);
    for (int i = 0; i < 2000; ++i) // past the budget: the oldest rows go
        store.setVar("Α", value + QString::number(i % 10), "id3", text);
    QVERIFY(store.droppedRows() > 0);
    const int last = store.rowCount() - 1;
    QCOMPARE(store.valueCell(last, 1), value + "9");
    QCOMPARE(store.textCell(last, 1), text);
    QCOMPARE(store.valueCell(2, 1), value + QString::number((store.droppedRows()) % 10));
    const qint64 rows = store.rowCount() - 2;
    const qint64 characters = rows * (value.size() + 1 + text.size());
    const qint64 textBytes = store.historyBytes() - rows * 24;
    QCOMPARE(textBytes, oneByteEach ? characters : 2 * characters);
}

void TestVariables::endlessRunsKeepTheNewestHistoryWithinTheBudget() {
    CollectingSink sink;
    VariableStore store(sink);
    constexpr qint64 budget = 1024 * 1024;
    store.setHistoryBudget(budget);
    const QString padding(1000, QLatin1Char('x'));
    for (int i = 0; i < 5000; ++i) // 10 MB of history
        store.setVar(i % 2 ? "Ι" : "Σ", padding + QString::number(i), "id4", "Ι+" + padding);
    QVERIFY(store.historyBytes() <= budget);
    QVERIFY(store.droppedRows() > 4000);
    QCOMPARE(store.rowCount() - 2 + store.droppedRows(), 5000);
    // The newest rows are whole and in order; the current values stay.
    const int last = store.rowCount() - 1;
    QCOMPARE(store.valueCell(last, 2), padding + "4999");
    QCOMPARE(store.valueCell(last - 1, 1), padding + "4998");
    QCOMPARE(store.textCell(last, 2), "Ι+" + padding);
    QCOMPARE(store.valueCell(2, 0), QStringLiteral("Βήμα:004"));
    QCOMPARE(store.getVar("Σ"), padding + "4998");

    TestDiagram t;
    Vars_F window(store, t.diagram);
    window.model->refresh();
    QVERIFY(!window.droppedLine->isHidden());
    QCOMPARE(window.droppedLine->text(), VariableStore::droppedRowsLine(store.droppedRows()));
}

void TestVariables::pointingAtAValue() {
    TestDiagram t;
    t.add(BlockKinds::assign, 0, 0);
    cBck* producer = t.add(BlockKinds::assign, 0, 100);
    producer->setBGColor(0x00FF00);
    CollectingSink sink;
    VariableStore store(sink);
    store.setVar("Χ", "5", "id2", "2+3");
    store.setVar("Υ", "1", "id1", "1");
    store.setVar("Χ>Υ", "Αλ", "id12", "5>1");

    Vars_F window(store, t.diagram);
    window.saveBlockColours();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Τιμές Μεταβλητών"));
    QCOMPARE(window.Command1->text(), QStringLiteral("Έξοδος"));
    // Names and steps are the grid's headers, so they stay in sight when it scrolls; an
    // outcome is written in full.
    const auto header = [&](int section, Qt::Orientation orientation) {
        return window.model->headerData(section, orientation, Qt::DisplayRole).toString();
    };
    QCOMPARE(header(2, Qt::Horizontal), QStringLiteral("Χ>Υ"));
    QCOMPARE(header(0, Qt::Vertical), QStringLiteral("TEΛΙΚΕΣ"));
    QCOMPARE(header(3, Qt::Vertical), QStringLiteral("3 · εντολή 12"));
    QCOMPARE(window.model->index(3, 2).data().toString(), QStringLiteral("Αληθής"));
    QCOMPARE(store.getVar("Χ>Υ"), QStringLiteral("Αλ"));
    QVERIFY(window.grid->horizontalHeader()->isVisible() &&
            window.grid->verticalHeader()->isVisible());

    const QRect cell = window.grid->visualRect(window.model->index(1, 0));
    QTest::mousePress(window.grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(producer->BGColor(), 255u);
    QVERIFY(window.Tex->isVisible());
    QCOMPARE(window.Tex->text(), QStringLiteral("2+3"));
    QCOMPARE(t.blocks().Item(1)->BGColor(), 0xFFFFFFu);

    const QRect empty = window.grid->visualRect(window.model->index(2, 0));
    QTest::mouseRelease(window.grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mousePress(window.grid->viewport(), Qt::LeftButton, {}, empty.center());
    QCOMPARE(producer->BGColor(), 0x00FF00u);
    QVERIFY(!window.Tex->isVisible());

    QTest::mouseRelease(window.grid->viewport(), Qt::LeftButton, {}, empty.center());
    QTest::mousePress(window.grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(producer->BGColor(), 255u);
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QCOMPARE(producer->BGColor(), 0x00FF00u);
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestVariables)
#include "tst_variables.moc"
