// Writes the example diagrams of the "Παραδείγματα" menu with the editor's own model, so that
// every block has the size its caption asks for. Run: make examples (from the build folder:
// cmake --build . --target make_examples && ./bin/make_examples ../examples).
#include "core/files/HeadlessDiagram.h"
#include "core/model/Block.h"
#include "core/model/BlockKinds.h"
#include "core/model/BlockSurface.h"

#include "core/model/DiagramBuilder.h"
#include <QDir>

#include <QGuiApplication>
#include <QMap>
#include <QTextStream>

using namespace BlockKinds;

namespace {

constexpr double columnX[] = {260, 530, 800, 1070};
constexpr double firstRowY = 60; // below the command toolbar
constexpr double rowHeight = 72;

class Example {
public:
    // Places a block centred on column `col`, with its top on row `row`.
    QString add(const QString& kind, const QString& p1, const QString& p2, int col, double row) {
        cBck* block = DiagramBuilder(m_h.diagram()).add(kind, 0, 0, p1, p2);
        block->PaintMe();
        block->PaintMe();
        block->setShapeLeft(std::round(columnX[col] - block->shapeWidth() / 2.0));
        block->setShapeTop(std::round(firstRowY + row * rowHeight));
        return block->tagid();
    }
    QString start(double row) { return add(BlockKinds::start, {}, {}, 0, row); }
    QString end(double row) { return add(BlockKinds::end, {}, {}, 0, row); }
    QString assign(const QString& var, const QString& expr, int col, double row) {
        return add(BlockKinds::assign, var, expr, col, row);
    }
    QString read(const QString& var, int col, double row) {
        return add(BlockKinds::input, {}, var, col, row);
    }
    QString write(const QString& first, const QString& rest, int col, double row) {
        return add(BlockKinds::output, first, rest, col, row);
    }
    QString decision(const QString& c, int col, double row) {
        return add(BlockKinds::decision, "ΑΝ_" + c + "_ΤΟΤΕ", c, col, row);
    }
    QString whileTest(const QString& c, int col, double row) {
        return add(BlockKinds::whileTest, "ΟΣΟ_" + c + "_", c, col, row);
    }
    QString untilTest(const QString& c, int col, double row) {
        return add(BlockKinds::untilTest, "ΜΕΧΡΙΣ_ΟΤΟΥ_" + c + "_", c, col, row);
    }
    QString junction(int col, double row) { return add(BlockKinds::junction, {}, {}, col, row); }

    void link(const QString& from, const QString& to, const QString& caption = {}) {
        m_h.diagram().the_li_co().Add_LINE(from, to, caption);
    }
    // Joins the blocks in order with plain lines.
    void chain(const QStringList& tags) {
        for (int i = 1; i < tags.size(); ++i)
            link(tags[i - 1], tags[i]);
    }

    bool save(const QString& path, const QString& comment) {
        m_h.diagram().the_li_co().updateAllLines();
        m_h.setComment(comment);
        return m_h.save(path);
    }

private:
    HeadlessDiagram m_h;
};

using Builder = void (*)(Example&);

void evenOdd(Example& e) {
    const QString s = e.start(0), r = e.read("Χ", 0, 1), d = e.decision("Χ MOD 2 = 0", 0, 2);
    const QString yes = e.write("\"ΑΡΤΙΟΣ ΕΙΝΑΙ Ο\"", "Χ", 0, 3.3);
    const QString no = e.write("\"ΠΕΡΙΤΤΟΣ ΕΙΝΑΙ Ο\"", "Χ", 1, 3.3);
    const QString j = e.junction(0, 4.5), f = e.end(5.3);
    e.chain({s, r, d});
    e.link(d, yes, "Ν");
    e.link(d, no, "Ο");
    e.chain({yes, j, f});
    e.link(no, j);
}

void lastDigit(Example& e) {
    e.chain({e.start(0), e.read("Χ", 0, 1), e.assign("Χ", "Α_Τ(Χ)", 0, 2),
             e.assign("Ψ", "Χ MOD 10", 0, 3), e.write("\"ΤΟ ΤΕΛΕΥΤΑΙΟ ΨΗΦΙΟ ΕΙΝΑΙ\"", "Ψ", 0, 4),
             e.end(5)});
}

// Halves Α and doubles Β; a negative Α changes both signs first, so that the halving ends.
void russianMultiplication(Example& e) {
    const QString s = e.start(0), a = e.read("Α", 0, 1), b = e.read("Β", 0, 2);
    const QString negative = e.decision("Α<0", 0, 3);
    const QString flipA = e.assign("Α", "-Α", 1, 3.8), flipB = e.assign("Β", "-Β", 1, 4.6);
    const QString signs = e.junction(0, 5.4);
    const QString g = e.assign("Γ", "0", 0, 6), loop = e.junction(0, 7);
    const QString test = e.whileTest("Α>0", 0, 8);
    const QString odd = e.decision("Α MOD 2 = 1", 1, 8);
    const QString add = e.assign("Γ", "Γ+Β", 2, 9.1);
    const QString merge = e.junction(1, 10.2);
    const QString halve = e.assign("Α", "Α DIV 2", 1, 10.8);
    const QString twice = e.assign("Β", "Β*2", 1, 11.6);
    const QString out = e.write("\"ΤΟ ΓΙΝΟΜΕΝΟ ΕΙΝΑΙ\"", "Γ", 0, 9.3), f = e.end(10.3);
    e.chain({s, a, b, negative});
    e.link(negative, flipA, "Ν");
    e.link(negative, signs, "Ο");
    e.chain({flipA, flipB, signs, g, loop, test});
    e.link(test, odd, "Ν");
    e.link(test, out, "Ο");
    e.link(odd, add, "Ν");
    e.link(odd, merge, "Ο");
    e.link(add, merge);
    e.chain({merge, halve, twice, loop});
    e.link(out, f);
}

void factorial(Example& e) {
    const QString s = e.start(0), r = e.read("Χ", 0, 1), p = e.assign("Π", "1", 0, 2);
    const QString i = e.assign("Ι", "1", 0, 3), loop = e.junction(0, 4);
    const QString test = e.whileTest("Ι<=Χ", 0, 5);
    const QString mul = e.assign("Π", "Π*Ι", 1, 5), inc = e.assign("Ι", "Ι+1", 1, 6);
    const QString out = e.write("\"ΤΟ ΠΑΡΑΓΟΝΤΙΚΟ ΕΙΝΑΙ\"", "Π", 0, 6.3), f = e.end(7.3);
    e.chain({s, r, p, i, loop, test});
    e.link(test, mul, "Ν");
    e.link(test, out, "Ο");
    e.chain({mul, inc, loop});
    e.link(out, f);
}

void fibonacci(Example& e) {
    const QString s = e.start(0), r = e.read("ΠΛΗΘΟΣ", 0, 1);
    const QString a = e.assign("Α", "0", 0, 2), b = e.assign("Β", "1", 0, 3);
    const QString i = e.assign("Ι", "1", 0, 4), loop = e.junction(0, 5);
    const QString test = e.whileTest("Ι<=ΠΛΗΘΟΣ", 0, 6);
    const QString out = e.write("Α;", "", 1, 6), c = e.assign("Γ", "Α+Β", 1, 6.9);
    const QString na = e.assign("Α", "Β", 1, 7.7), nb = e.assign("Β", "Γ", 1, 8.5);
    const QString inc = e.assign("Ι", "Ι+1", 1, 9.3), f = e.end(7.3);
    e.chain({s, r, a, b, i, loop, test});
    e.link(test, out, "Ν");
    e.link(test, f, "Ο");
    e.chain({out, c, na, nb, inc, loop});
}

// Multiplies |Ε| times in a repeat-until loop, which is entered only when there is something
// to multiply (a repeat-until body always runs once), and inverts for a negative exponent.
void power(Example& e) {
    const QString s = e.start(0), b = e.read("Β", 0, 1), x = e.read("Ε", 0, 2);
    const QString d = e.assign("Δ", "1", 0, 3), i = e.assign("Ι", "0", 0, 4);
    const QString n = e.assign("Ν", "Α_Τ(Ε)", 0, 5), any = e.decision("Ν>0", 0, 6);
    const QString loop = e.junction(2, 6.3), mul = e.assign("Δ", "Δ*Β", 1, 6.9);
    const QString inc = e.assign("Ι", "Ι+1", 1, 7.7), test = e.untilTest("Ι>=Ν", 1, 8.5);
    const QString done = e.junction(0, 9.4), negative = e.decision("Ε<0", 0, 10);
    const QString invert = e.assign("Δ", "1/Δ", 1, 10.8), merge = e.junction(0, 11.6);
    const QString out = e.write("\"Η ΔΥΝΑΜΗ ΕΙΝΑΙ\"", "Δ", 0, 12.2), f = e.end(13.2);
    e.chain({s, b, x, d, i, n, any});
    e.link(any, loop, "Ν");
    e.link(any, done, "Ο");
    e.chain({loop, mul, inc, test});
    e.link(test, done, "Ν");
    e.link(test, loop, "Ο");
    e.link(done, negative);
    e.link(negative, invert, "Ν");
    e.link(negative, merge, "Ο");
    e.link(invert, merge);
    e.chain({merge, out, f});
}

// Prints the digits of |Χ| from the last one; a repeat-until loop, so that 0 prints its digit.
void digits(Example& e) {
    const QString s = e.start(0), r = e.read("Χ", 0, 1), a = e.assign("Χ", "Α_Τ(Χ)", 0, 2);
    const QString loop = e.junction(0, 3), digit = e.assign("Ψ", "Χ MOD 10", 0, 3.6);
    const QString out = e.write("Ψ;", "", 0, 4.4), cut = e.assign("Χ", "Χ DIV 10", 0, 5.2);
    const QString test = e.untilTest("Χ=0", 1, 6), f = e.end(7.3);
    e.chain({s, r, a, loop, digit, out, cut, test});
    e.link(test, f, "Ν");
    e.link(test, loop, "Ο");
}

// Reads an array, then keeps the smallest (`less`) or the largest element.
void arrayExtreme(Example& e, bool smallest) {
    const QString name = smallest ? "ΕΛΑΧ" : "ΜΕΓ";
    const QString s = e.start(0), n = e.read("ΠΛΗΘΟΣ", 0, 1), i = e.assign("Ι", "1", 0, 2);
    const QString loop1 = e.junction(0, 3), test1 = e.whileTest("Ι<=ΠΛΗΘΟΣ", 0, 4);
    const QString readA = e.read("Α[Ι]", 1, 4), inc1 = e.assign("Ι", "Ι+1", 1, 5);
    const QString first = e.assign(name, "Α[1]", 0, 5.5), i2 = e.assign("Ι", "2", 0, 6.3);
    const QString loop2 = e.junction(0, 7.1), test2 = e.whileTest("Ι<=ΠΛΗΘΟΣ", 0, 8.1);
    const QString cmp = e.decision(smallest ? "Α[Ι]<ΕΛΑΧ" : "Α[Ι]>ΜΕΓ", 1, 8.1);
    const QString keep = e.assign(name, "Α[Ι]", 2, 9.2), merge = e.junction(1, 10.2);
    const QString inc2 = e.assign("Ι", "Ι+1", 1, 10.8);
    const QString out =
        e.write(smallest ? "\"ΤΟ ΕΛΑΧΙΣΤΟ ΕΙΝΑΙ\"" : "\"ΤΟ ΜΕΓΙΣΤΟ ΕΙΝΑΙ\"", name, 0, 9.4);
    const QString f = e.end(10.4);
    e.chain({s, n, i, loop1, test1});
    e.link(test1, readA, "Ν");
    e.link(test1, first, "Ο");
    e.chain({readA, inc1, loop1});
    e.chain({first, i2, loop2, test2});
    e.link(test2, cmp, "Ν");
    e.link(test2, out, "Ο");
    e.link(cmp, keep, "Ν");
    e.link(cmp, merge, "Ο");
    e.link(keep, merge);
    e.chain({merge, inc2, loop2});
    e.link(out, f);
}

void minArray(Example& e) {
    arrayExtreme(e, true);
}
void maxArray(Example& e) {
    arrayExtreme(e, false);
}

void maxOfThree(Example& e) {
    const QString s = e.start(0), a = e.read("Α", 0, 1), b = e.read("Β", 0, 2);
    const QString c = e.read("Γ", 0, 3), m = e.assign("ΜΕΓ", "Α", 0, 4);
    const QString d1 = e.decision("Β>ΜΕΓ", 0, 5), k1 = e.assign("ΜΕΓ", "Β", 1, 6);
    const QString j1 = e.junction(0, 7), d2 = e.decision("Γ>ΜΕΓ", 0, 7.6);
    const QString k2 = e.assign("ΜΕΓ", "Γ", 1, 8.6), j2 = e.junction(0, 9.6);
    const QString out = e.write("\"Ο ΜΕΓΙΣΤΟΣ ΕΙΝΑΙ\"", "ΜΕΓ", 0, 10.2), f = e.end(11.2);
    e.chain({s, a, b, c, m, d1});
    e.link(d1, k1, "Ν");
    e.link(d1, j1, "Ο");
    e.chain({k1, j1, d2});
    e.link(d2, k2, "Ν");
    e.link(d2, j2, "Ο");
    e.chain({k2, j2, out, f});
}

// Reads a two-dimensional array and keeps its smallest or largest element as it reads.
void array2Extreme(Example& e, bool smallest) {
    const QString name = smallest ? "ΕΛΑΧ" : "ΜΕΓ";
    const QString s = e.start(0), rows = e.read("ΓΡΑΜΜΕΣ", 0, 1), cols = e.read("ΣΤΗΛΕΣ", 0, 2);
    const QString init = e.assign(name, "0", 0, 3), i = e.assign("Ι", "1", 0, 4);
    const QString loop1 = e.junction(0, 5), test1 = e.whileTest("Ι<=ΓΡΑΜΜΕΣ", 0, 6);
    const QString k = e.assign("Κ", "1", 1, 6), loop2 = e.junction(1, 7);
    const QString test2 = e.whileTest("Κ<=ΣΤΗΛΕΣ", 1, 8);
    const QString readP = e.read("Π[Ι,Κ]", 2, 8);
    const QString cmp =
        e.decision(QString("Ι=1 AND Κ=1 OR Π[Ι,Κ]") + (smallest ? "<" : ">") + name, 2, 9);
    const QString keep = e.assign(name, "Π[Ι,Κ]", 3, 10.1), merge = e.junction(2, 11.1);
    const QString inc2 = e.assign("Κ", "Κ+1", 2, 11.7), inc1 = e.assign("Ι", "Ι+1", 1, 9.4);
    const QString out =
        e.write(smallest ? "\"ΤΟ ΕΛΑΧΙΣΤΟ ΕΙΝΑΙ\"" : "\"ΤΟ ΜΕΓΙΣΤΟ ΕΙΝΑΙ\"", name, 0, 10.4);
    const QString f = e.end(11.4);
    e.chain({s, rows, cols, init, i, loop1, test1});
    e.link(test1, k, "Ν");
    e.link(test1, out, "Ο");
    e.chain({k, loop2, test2});
    e.link(test2, readP, "Ν");
    e.link(test2, inc1, "Ο");
    e.chain({readP, cmp});
    e.link(cmp, keep, "Ν");
    e.link(cmp, merge, "Ο");
    e.link(keep, merge);
    e.chain({merge, inc2, loop2});
    e.chain({inc1, loop1});
    e.link(out, f);
}

void minArray2(Example& e) {
    array2Extreme(e, true);
}
void maxArray2(Example& e) {
    array2Extreme(e, false);
}

void absoluteValue(Example& e) {
    const QString s = e.start(0), r = e.read("Χ", 0, 1), d = e.decision("Χ<0", 0, 2);
    const QString neg = e.assign("Χ", "-Χ", 1, 3), j = e.junction(0, 4);
    const QString out = e.write("\"Η ΑΠΟΛΥΤΗ ΤΙΜΗ ΕΙΝΑΙ\"", "Χ", 0, 4.6), f = e.end(5.6);
    e.chain({s, r, d});
    e.link(d, neg, "Ν");
    e.link(d, j, "Ο");
    e.chain({neg, j, out, f});
}

void equalNumbers(Example& e) {
    const QString s = e.start(0), a = e.read("Α", 0, 1), b = e.read("Β", 0, 2);
    const QString d = e.decision("Α=Β", 0, 3);
    const QString yes = e.write("\"ΟΙ ΑΡΙΘΜΟΙ ΕΙΝΑΙ ΙΣΟΙ ΜΕ ΤΙΜΗ\"", "Α", 0, 4.3);
    const QString no = e.write("\"ΔΙΑΦΟΡΕΤΙΚΟΙ ΑΡΙΘΜΟΙ Ο ΔΕΥΤΕΡΟΣ\"", "Β", 1, 4.3);
    const QString j = e.junction(0, 5.5), f = e.end(6.3);
    e.chain({s, a, b, d});
    e.link(d, yes, "Ν");
    e.link(d, no, "Ο");
    e.chain({yes, j, f});
    e.link(no, j);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const QList<std::tuple<const char*, Builder, const char*>> examples = {
        {"artios-peritos.kv", evenOdd, "Άρτιος ή περιττός αριθμός."},
        {"tpsifio.kv", lastDigit, "Το τελευταίο ψηφίο ενός αριθμού."},
        {"alarosika.kv", russianMultiplication, "Πολλαπλασιασμός αλά ρωσικά."},
        {"parago.kv", factorial, "Το παραγοντικό ενός αριθμού."},
        {"fibo.kv", fibonacci, "Οι πρώτοι όροι της ακολουθίας Fibonacci."},
        {"dynami.kv", power, "Η δύναμη Β^Ε με διαδοχικούς πολλαπλασιασμούς."},
        {"psifia.kv", digits, "Τα ψηφία ενός αριθμού, από το τελευταίο."},
        {"minP.kv", minArray, "Το ελάχιστο στοιχείο ενός πίνακα."},
        {"maxP.kv", maxArray, "Το μέγιστο στοιχείο ενός πίνακα."},
        {"maxabc.kv", maxOfThree, "Ο μεγαλύτερος από τρεις αριθμούς."},
        {"min_ar_2.kv", minArray2, "Το ελάχιστο στοιχείο ενός δυσδιάστατου πίνακα."},
        {"max_ar_2.kv", maxArray2, "Το μέγιστο στοιχείο ενός δυσδιάστατου πίνακα."},
        {"apolitost.kv", absoluteValue, "Η απόλυτη τιμή ενός αριθμού."},
        {"ison.kv", equalNumbers, "Είναι δύο αριθμοί ίσοι;"},
    };
    QTextStream err(stderr);
    int failures = 0;
    for (const auto& [file, build, comment] : examples) {
        Example example;
        build(example);
        if (!example.save(folder.filePath(QString::fromUtf8(file)), QString::fromUtf8(comment))) {
            err << "failed: " << file << '\n';
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
