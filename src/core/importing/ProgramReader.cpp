#include "core/importing/ProgramReader.h"

#include "core/codegen/PseudoLines.h"
#include "core/codegen/PseudoProgram.h"
#include "core/editor/CanonicalText.h"
#include "core/expression/ExpressionTree.h"
#include "core/expression/RunText.h"
#include "core/model/OutputList.h"

#include <QRegularExpression>
#include <functional>
#include <optional>

namespace ProgramReader {

namespace {

using Kind = Step::Kind;

struct Line {
    int number;
    QString text;    // capitals without accents outside quotes, no comment
    QString comment; // after "!", as written
};

QString commentOf(const QString& raw, QString* code) {
    bool quoted = false;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == QLatin1Char('"'))
            quoted = !quoted;
        else if (raw[i] == QLatin1Char('!') && !quoted) {
            *code = raw.left(i);
            return raw.mid(i + 1).trimmed();
        }
    }
    *code = raw;
    return {};
}

// Texts in single quotes, as some books write them, in double quotes.
QString doubleQuoted(const QString& text) {
    if (text.contains(QLatin1Char('"')) || !text.contains(QLatin1Char('\'')))
        return text;
    return QString(text).replace(QLatin1Char('\''), QLatin1Char('"'));
}

std::vector<Line> linesOf(const QString& text) {
    std::vector<Line> lines;
    int number = 0;
    for (QString raw : text.split(QLatin1Char('\n'))) {
        ++number;
        raw.remove(QLatin1Char('\r'));
        QString code;
        const QString comment = commentOf(doubleQuoted(raw), &code);
        code = PseudoLines::finishOutsideQuotes(code).trimmed();
        code.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
        if (!code.isEmpty())
            lines.push_back({number, code, comment});
    }
    return lines;
}

bool startsWithWord(const QString& line, const QString& word) {
    return line == word || line.startsWith(word + QLatin1Char(' '));
}

// The text between an opening word and a closing one, or nullopt when the closing is missing.
std::optional<QString> between(const QString& line, const QString& opening,
                               const QString& closing) {
    QString rest = line.mid(opening.size()).trimmed();
    if (!rest.endsWith(QLatin1Char(' ') + closing) && rest != closing)
        return std::nullopt;
    rest.chop(closing.size());
    return rest.trimmed();
}

// "ΟΧΙ(…)" around a whole condition: the loop's exit on the other line.
bool unwrapNot(QString& condition) {
    if (!condition.startsWith(QStringLiteral("ΟΧΙ(")) || !condition.endsWith(QLatin1Char(')')))
        return false;
    int depth = 0;
    for (qsizetype i = 3; i < condition.size(); ++i) {
        if (condition[i] == QLatin1Char('('))
            ++depth;
        else if (condition[i] == QLatin1Char(')') && --depth == 0 && i != condition.size() - 1)
            return false;
    }
    condition = condition.mid(4, condition.size() - 5).trimmed();
    return true;
}

class Reader {
public:
    explicit Reader(std::vector<Line> lines) : m_lines(std::move(lines)) {}

    Read read() {
        Read result;
        skipHeader(result.steps); // constants come first
        std::vector<Step> program = block({}, nullptr);
        result.steps.insert(result.steps.end(), std::make_move_iterator(program.begin()),
                            std::make_move_iterator(program.end()));
        result.errors = m_errors;
        return result;
    }

private:
    bool atEnd() const { return m_at >= m_lines.size(); }
    const Line& current() const { return m_lines[m_at]; }

    void error(int line, const QString& what) {
        m_errors << QStringLiteral("Γραμμή ") + QString::number(line) + QStringLiteral(": ") + what;
    }

    // The header, the declarations and the constants (which become assignments).
    void skipHeader(std::vector<Step>& constants) {
        static const QStringList declarations = {"ΑΚΕΡΑΙΕΣ", "ΠΡΑΓΜΑΤΙΚΕΣ", "ΧΑΡΑΚΤΗΡΕΣ",
                                                 "ΛΟΓΙΚΕΣ",  "ΑΚΕΡΑΙΑ",     "ΠΡΑΓΜΑΤΙΚΗ"};
        bool header = false;
        bool inConstants = false;
        while (!atEnd()) {
            const QString& text = current().text;
            if (startsWithWord(text, QStringLiteral("ΑΛΓΟΡΙΘΜΟΣ")) ||
                startsWithWord(text, QStringLiteral("ΠΡΟΓΡΑΜΜΑ"))) {
                header = true;
            } else if (header && (startsWithWord(text, QStringLiteral("ΔΕΔΟΜΕΝΑ")) ||
                                  startsWithWord(text, QStringLiteral("ΑΠΟΤΕΛΕΣΜΑΤΑ")) ||
                                  text == QStringLiteral("ΜΕΤΑΒΛΗΤΕΣ"))) {
                inConstants = false;
            } else if (header && text == QStringLiteral("ΣΤΑΘΕΡΕΣ")) {
                inConstants = true;
            } else if (header && text.contains(QLatin1Char(':')) &&
                       declarations.contains(text.section(QLatin1Char(':'), 0, 0).trimmed())) {
                // a declaration: the flowchart needs none
            } else if (inConstants && text.contains(QLatin1Char('='))) {
                Step s;
                s.target = text.section(QLatin1Char('='), 0, 0).trimmed();
                s.text = expression(text.section(QLatin1Char('='), 1), current().number);
                constants.push_back(s);
            } else if (header && text == QStringLiteral("ΑΡΧΗ")) {
                ++m_at;
                return;
            } else {
                return;
            }
            ++m_at;
        }
    }

    QString expression(const QString& school, int line) {
        QString problem;
        const QString text = blockText(school, &problem);
        if (text.isEmpty())
            error(line, QStringLiteral("«") + school.trimmed() + QStringLiteral("»: ") +
                            (problem.isEmpty() ? QStringLiteral("δεν διαβάζεται") : problem));
        return text;
    }

    QString target(const QString& school, int line) {
        const QString text = school.trimmed();
        const auto tree = ExpressionTree::parse(text);
        if (!tree || ((*tree)->kind != ExpressionTree::Expr::Kind::Name &&
                      (*tree)->kind != ExpressionTree::Expr::Kind::Element)) {
            error(line, QStringLiteral("«") + text +
                            QStringLiteral("» δεν είναι όνομα μεταβλητής ή στοιχείο πίνακα"));
            return {};
        }
        return ucase_en_gr(text);
    }

    static bool isEnd(const QString& text) {
        return startsWithWord(text, QStringLiteral("ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ")) ||
               startsWithWord(text, QStringLiteral("ΤΕΛΟΣ_ΠΡΟΓΡΑΜΜΑΤΟΣ"));
    }

    // Statements up to a line that `closes`; that line is left current. `opened` is the
    // line that opened the block, for the message when the text ends first.
    std::vector<Step> block(const std::function<bool(const QString&)>& closes, const Line* opened,
                            const QString& closing = {}) {
        std::vector<Step> steps;
        // Blocks are read, built and laid out by recursion: deeper nesting than any program
        // has (a damaged or generated text) is refused before it can exhaust the stack.
        struct Depth {
            int& depth;
            explicit Depth(int& d) : depth(++d) {}
            ~Depth() { --depth; }
        } depth(m_depth);
        if (m_depth > maxNesting) {
            error(opened ? opened->number : 0,
                  QStringLiteral("οι δομές μπαίνουν η μία μέσα στην άλλη πάνω από ") +
                      QString::number(maxNesting) + QStringLiteral(" φορές"));
            m_at = m_lines.size();
            m_tooDeep = true;
            return steps;
        }
        while (!atEnd()) {
            const Line& line = current();
            if (closes && closes(line.text))
                return steps;
            if (isEnd(line.text)) {
                if (opened)
                    break;
                m_at = m_lines.size(); // what follows the end is not the program's
                return steps;
            }
            statement(steps);
        }
        if (opened && !m_tooDeep) // the blocks a refused nesting leaves open say nothing more
            error(opened->number, QStringLiteral("η εντολή «") + opened->text.section(' ', 0, 0) +
                                      QStringLiteral("» δεν κλείνει: λείπει «") + closing +
                                      QStringLiteral("»"));
        return steps;
    }

    void statement(std::vector<Step>& steps) {
        const Line line = current();
        const QString& t = line.text;
        ++m_at;
        if (startsWithWord(t, QStringLiteral("ΔΕΔΟΜΕΝΑ")) ||
            startsWithWord(t, QStringLiteral("ΑΠΟΤΕΛΕΣΜΑΤΑ")))
            return; // what the algorithm reads and gives, said for the reader only
        if (startsWithWord(t, QStringLiteral("ΑΝ")))
            steps.push_back(decision(line, QStringLiteral("ΑΝ")));
        else if (startsWithWord(t, QStringLiteral("ΟΣΟ")))
            steps.push_back(whileLoop(line));
        else if (t == QStringLiteral("ΑΡΧΗ_ΕΠΑΝΑΛΗΨΗΣ"))
            steps.push_back(untilLoop(line));
        else if (startsWithWord(t, QStringLiteral("ΓΙΑ")))
            forLoop(line, steps);
        else if (startsWithWord(t, QStringLiteral("ΕΠΙΛΕΞΕ")))
            choice(line, steps);
        else if (startsWithWord(t, QStringLiteral("ΔΙΑΒΑΣΕ")))
            input(line, steps);
        else if (startsWithWord(t, QStringLiteral("ΓΡΑΨΕ")) ||
                 startsWithWord(t, QStringLiteral("ΕΜΦΑΝΙΣΕ")) ||
                 startsWithWord(t, QStringLiteral("ΕΚΤΥΠΩΣΕ")))
            output(line, steps);
        else if (arrowAt(t) >= 0)
            assignment(line, steps);
        else if (QStringList{"ΤΕΛΟΣ_ΑΝ", "ΑΛΛΙΩΣ", "ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ", "ΤΕΛΟΣ_ΕΠΙΛΟΓΩΝ"}.contains(
                     t) ||
                 startsWithWord(t, QStringLiteral("ΑΛΛΙΩΣ_ΑΝ")) ||
                 startsWithWord(t, QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ")) ||
                 startsWithWord(t, QStringLiteral("ΠΕΡΙΠΤΩΣΗ")))
            error(line.number, QStringLiteral("«") + t.section(' ', 0, 0) +
                                   QStringLiteral("» χωρίς την εντολή που ανοίγει"));
        else
            error(line.number,
                  QStringLiteral("δεν καταλαβαίνω την εντολή «") + t + QStringLiteral("»"));
    }

    QString condition(const Line& line, const QString& opening, const QString& closing,
                      const QString& expected) {
        const std::optional<QString> c = between(line.text, opening, closing);
        if (!c) {
            error(line.number, expected);
            return {};
        }
        if (c->isEmpty()) {
            error(line.number, QStringLiteral("λείπει η συνθήκη"));
            return {};
        }
        return *c;
    }

    Step decision(const Line& line, const QString& opening) {
        Step s;
        s.kind = Kind::If;
        const QString c = condition(line, opening, QStringLiteral("ΤΟΤΕ"),
                                    QStringLiteral("περίμενα ΤΟΤΕ μετά τη συνθήκη"));
        if (!c.isEmpty())
            s.text = expression(c, line.number);
        s.body = block(
            [](const QString& t) {
                return t == QStringLiteral("ΑΛΛΙΩΣ") || t == QStringLiteral("ΤΕΛΟΣ_ΑΝ") ||
                       startsWithWord(t, QStringLiteral("ΑΛΛΙΩΣ_ΑΝ"));
            },
            &line, QStringLiteral("ΤΕΛΟΣ_ΑΝ"));
        if (atEnd())
            return s;
        const Line closing = current();
        ++m_at;
        if (startsWithWord(closing.text, QStringLiteral("ΑΛΛΙΩΣ_ΑΝ"))) {
            s.otherwise.push_back(decision(closing, QStringLiteral("ΑΛΛΙΩΣ_ΑΝ")));
        } else if (closing.text == QStringLiteral("ΑΛΛΙΩΣ")) {
            s.otherwise = block([](const QString& t) { return t == QStringLiteral("ΤΕΛΟΣ_ΑΝ"); },
                                &line, QStringLiteral("ΤΕΛΟΣ_ΑΝ"));
            if (!atEnd())
                ++m_at;
        }
        return s;
    }

    std::vector<Step> loopBody(const Line& line) {
        std::vector<Step> body =
            block([](const QString& t) { return t == QStringLiteral("ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ"); }, &line,
                  QStringLiteral("ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ"));
        if (!atEnd())
            ++m_at;
        return body;
    }

    Step whileLoop(const Line& line) {
        Step s;
        s.kind = Kind::While;
        QString c = condition(line, QStringLiteral("ΟΣΟ"), QStringLiteral("ΕΠΑΝΑΛΑΒΕ"),
                              QStringLiteral("περίμενα ΕΠΑΝΑΛΑΒΕ μετά τη συνθήκη"));
        s.negated = unwrapNot(c);
        s.text = c.isEmpty() ? QString() : expression(c, line.number);
        s.body = loopBody(line);
        return s;
    }

    Step untilLoop(const Line& line) {
        Step s;
        s.kind = Kind::Until;
        s.body =
            block([](const QString& t) { return startsWithWord(t, QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ")); },
                  &line, QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ"));
        if (atEnd())
            return s;
        const Line closing = current();
        ++m_at;
        QString c = closing.text.mid(QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ").size()).trimmed();
        if (c.isEmpty()) {
            error(closing.number, QStringLiteral("λείπει η συνθήκη μετά το ΜΕΧΡΙΣ_ΟΤΟΥ"));
            return s;
        }
        s.negated = unwrapNot(c);
        s.text = expression(c, closing.number);
        return s;
    }

    // ΓΙΑ Ι ΑΠΟ α ΜΕΧΡΙ β ΜΕ_ΒΗΜΑ γ: Ι <- α, then while Ι has not passed β, the body and
    // Ι <- Ι + γ. A step that is no number decides the direction as the loop runs.
    void forLoop(const Line& line, std::vector<Step>& steps) {
        static const QRegularExpression pattern(
            QStringLiteral("^ΓΙΑ (\\S+) ΑΠΟ (.+?) ΜΕΧΡΙ (.+?)(?: ΜΕ_ΒΗΜΑ (.+))?$"));
        const QRegularExpressionMatch m = pattern.match(line.text);
        std::vector<Step> body = loopBody(line);
        if (!m.hasMatch()) {
            error(line.number,
                  QStringLiteral("περίμενα ΓΙΑ μεταβλητή ΑΠΟ αρχή ΜΕΧΡΙ τέλος [ΜΕ_ΒΗΜΑ "
                                 "βήμα]"));
            return;
        }
        const QString counter = target(m.captured(1), line.number);
        const QString from = m.captured(2).trimmed();
        const QString to = m.captured(3).trimmed();
        QString step = m.captured(4).trimmed();
        if (step.isEmpty())
            step = QStringLiteral("1");
        bool number = false;
        const double value = QString(step).remove(QLatin1Char(' ')).toDouble(&number);
        QString test;
        if (number && value == 0)
            error(line.number, QStringLiteral("το βήμα του ΓΙΑ δεν μπορεί να είναι 0"));
        if (number)
            test = counter + (value > 0 ? QStringLiteral("<=") : QStringLiteral(">=")) + to;
        else
            test = QStringLiteral("(") + step + QStringLiteral(">0 ΚΑΙ ") + counter +
                   QStringLiteral("<=") + to + QStringLiteral(") Η (") + step +
                   QStringLiteral("<0 ΚΑΙ ") + counter + QStringLiteral(">=") + to +
                   QStringLiteral(")");
        Step first;
        first.target = counter;
        first.text = expression(from, line.number);
        Step loop;
        loop.kind = Kind::While;
        loop.text = expression(test, line.number);
        loop.body = std::move(body);
        Step next;
        next.target = counter;
        next.text = expression(number && value < 0 ? counter + QLatin1Char('-') +
                                                         QString(step).remove(QLatin1Char('-'))
                                                   : counter + QLatin1Char('+') + step,
                               line.number);
        loop.body.push_back(next);
        steps.push_back(first);
        steps.push_back(loop);
    }

    // ΠΕΡΙΠΤΩΣΗ 1, 3..5, >10: one test of the chosen expression for each value, joined by Ή.
    static QString caseTest(const QString& chosen, const QString& values) {
        static const QRegularExpression comparison(QStringLiteral("^(<=|>=|<>|<|>|=)(.*)$"));
        QStringList tests;
        for (QString value : OutputList::split(values)) {
            value = value.trimmed();
            const QRegularExpressionMatch m = comparison.match(value);
            const qsizetype range = value.indexOf(QStringLiteral(".."));
            if (m.hasMatch())
                tests << chosen + m.captured(1) + m.captured(2).trimmed();
            else if (range > 0)
                tests << QLatin1Char('(') + chosen + QStringLiteral(">=") +
                             value.left(range).trimmed() + QStringLiteral(" ΚΑΙ ") + chosen +
                             QStringLiteral("<=") + value.mid(range + 2).trimmed() +
                             QLatin1Char(')');
            else
                tests << chosen + QLatin1Char('=') + value;
        }
        return tests.join(QStringLiteral(" Η "));
    }

    void choice(const Line& line, std::vector<Step>& steps) {
        QString chosen = line.text.mid(QStringLiteral("ΕΠΙΛΕΞΕ").size()).trimmed();
        if (chosen.isEmpty())
            error(line.number, QStringLiteral("λείπει η έκφραση μετά το ΕΠΙΛΕΞΕ"));
        const auto tree = ExpressionTree::parse(chosen);
        if (tree && (*tree)->kind != ExpressionTree::Expr::Kind::Name &&
            (*tree)->kind != ExpressionTree::Expr::Kind::Element &&
            (*tree)->kind != ExpressionTree::Expr::Kind::Number)
            chosen = QLatin1Char('(') + chosen + QLatin1Char(')');
        auto endsCase = [](const QString& t) {
            return startsWithWord(t, QStringLiteral("ΠΕΡΙΠΤΩΣΗ")) ||
                   t == QStringLiteral("ΤΕΛΟΣ_ΕΠΙΛΟΓΩΝ");
        };
        // What comes before the first ΠΕΡΙΠΤΩΣΗ belongs to none.
        block(endsCase, &line, QStringLiteral("ΤΕΛΟΣ_ΕΠΙΛΟΓΩΝ"));
        std::vector<std::pair<QString, std::vector<Step>>> cases; // test ("" for ΑΛΛΙΩΣ), steps
        while (!atEnd() && startsWithWord(current().text, QStringLiteral("ΠΕΡΙΠΤΩΣΗ"))) {
            const Line head = current();
            ++m_at;
            const QString values = head.text.mid(QStringLiteral("ΠΕΡΙΠΤΩΣΗ").size()).trimmed();
            const bool otherwise = values == QStringLiteral("ΑΛΛΙΩΣ");
            if (values.isEmpty())
                error(head.number, QStringLiteral("λείπουν οι τιμές μετά το ΠΕΡΙΠΤΩΣΗ"));
            std::vector<Step> body = block(endsCase, &line, QStringLiteral("ΤΕΛΟΣ_ΕΠΙΛΟΓΩΝ"));
            cases.emplace_back(otherwise ? QString()
                                         : expression(caseTest(chosen, values), head.number),
                               std::move(body));
        }
        if (!atEnd())
            ++m_at; // ΤΕΛΟΣ_ΕΠΙΛΟΓΩΝ
        // The chain from its end: the otherwise's statements, wrapped by each test in turn.
        std::vector<Step> chain;
        for (auto it = cases.rbegin(); it != cases.rend(); ++it) {
            if (it->first.isEmpty()) {
                chain = std::move(it->second);
                continue;
            }
            Step s;
            s.kind = Kind::If;
            s.text = it->first;
            s.body = std::move(it->second);
            s.otherwise = std::move(chain);
            chain = {std::move(s)};
        }
        steps.insert(steps.end(), std::make_move_iterator(chain.begin()),
                     std::make_move_iterator(chain.end()));
    }

    void input(const Line& line, std::vector<Step>& steps) {
        const QStringList items =
            OutputList::split(line.text.mid(QStringLiteral("ΔΙΑΒΑΣΕ").size()));
        if (items.size() == 2 && OutputList::isMessage(items.first())) {
            Step s;
            s.kind = Kind::Input;
            s.prompt = ucase_en_gr(items.first().trimmed());
            s.target = target(items.last(), line.number);
            steps.push_back(s);
            return;
        }
        for (const QString& item : items) {
            Step s;
            s.kind = Kind::Input;
            s.target = target(item, line.number);
            steps.push_back(s);
        }
    }

    void output(const Line& line, std::vector<Step>& steps) {
        QStringList items;
        for (const QString& item : OutputList::split(line.text.section(' ', 1))) {
            if (item.trimmed().isEmpty())
                continue;
            items << (OutputList::isMessage(item) ? item.trimmed() : expression(item, line.number));
        }
        if (items.isEmpty()) {
            error(line.number, QStringLiteral("λείπει τι θα γραφτεί"));
            return;
        }
        Step s;
        s.kind = Kind::Output;
        s.text = items.join(QLatin1Char(','));
        // The comment Kelvra writes after an output that goes on the line before.
        if (PseudoLines::finishLine(line.comment) == PseudoProgram::continuesLineComment().mid(2))
            s.text += QLatin1Char(';');
        steps.push_back(s);
    }

    static qsizetype arrowAt(const QString& text, qsizetype* length = nullptr) {
        bool quoted = false;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == QLatin1Char('"'))
                quoted = !quoted;
            if (quoted)
                continue;
            for (const QString& arrow : {QStringLiteral("<--"), QStringLiteral("<-"),
                                         QStringLiteral("←"), QStringLiteral(":=")}) {
                if (text.mid(i, arrow.size()) == arrow) {
                    if (length)
                        *length = arrow.size();
                    return i;
                }
            }
        }
        return -1;
    }

    void assignment(const Line& line, std::vector<Step>& steps) {
        qsizetype length = 0;
        const qsizetype arrow = arrowAt(line.text, &length);
        Step s;
        s.target = target(line.text.left(arrow), line.number);
        const QString value = line.text.mid(arrow + length).trimmed();
        if (value.isEmpty())
            error(line.number, QStringLiteral("λείπει η τιμή μετά το «<--»"));
        else
            s.text = expression(value, line.number);
        steps.push_back(s);
    }

    std::vector<Line> m_lines;
    size_t m_at = 0;
    int m_depth = 0;
    bool m_tooDeep = false;
    static constexpr int maxNesting = 100;
    QStringList m_errors;
};

} // namespace

QString blockText(const QString& schoolText, QString* problem) {
    const QString text = schoolText.trimmed();
    const auto school = ExpressionTree::parse(text);
    if (!school) {
        if (problem)
            *problem = ExpressionTree::problemOf(text).reason;
        return {};
    }
    const auto run = ExpressionTree::parse(text, ExpressionTree::Dialect::Run);
    if (run && ExpressionTree::same(**run, **school))
        return ucase_en_gr(text);
    return ucase_en_gr(RunText::of(**school));
}

Read read(const QString& text) {
    return Reader(linesOf(text)).read();
}

} // namespace ProgramReader
