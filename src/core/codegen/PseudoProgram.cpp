#include "core/codegen/PseudoProgram.h"

#include "core/model/OutputList.h"

#include <utility>

namespace PseudoProgram {

namespace {

struct Malformed {};

const QString endIf = QStringLiteral("ΤΕΛΟΣ_ΑΝ");
const QString otherwiseLine = QStringLiteral("ΑΛΛΙΩΣ");
const QString elseIf = QStringLiteral("ΑΛΛΙΩΣ_ΑΝ ");
const QString endWhile = QStringLiteral("ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ");
const QString repeatLine = QStringLiteral("ΑΡΧΗ_ΕΠΑΝΑΛΗΨΗΣ");
const QString until = QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ ");
const QString endProgram = QStringLiteral("ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ");

QString between(const QString& line, const QString& opening, const QString& closing) {
    QString text = line.mid(opening.size());
    if (!closing.isEmpty() && text.endsWith(closing))
        text.chop(closing.size());
    return text.trimmed();
}

QString unquoted(QString text) {
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        return text.mid(1, text.size() - 2);
    return text;
}

class Reader {
public:
    explicit Reader(QStringList lines) : m_lines(std::move(lines)) {}

    Program program() {
        Program p;
        const QString header = next();
        if (!header.startsWith(QStringLiteral("ΑΛΓΟΡΙΘΜΟΣ")))
            throw Malformed{};
        p.name = header.mid(10).trimmed();
        QString closing;
        m_topLevel = true;
        p.statements = block({endProgram}, closing);
        return p;
    }

private:
    QString next() {
        while (m_at < m_lines.size()) {
            const QString line = m_lines[m_at++].trimmed();
            if (!line.isEmpty())
                return line;
        }
        return {};
    }

    static bool closes(const QString& line, const QStringList& closings) {
        for (const QString& c : closings)
            if (line == c || (c.endsWith(QLatin1Char(' ')) && line.startsWith(c)))
                return true;
        return false;
    }

    std::vector<Statement> block(const QStringList& closings, QString& closing) {
        std::vector<Statement> statements;
        const bool topLevel = std::exchange(m_topLevel, false);
        for (;;) {
            const QString line = next();
            if (line.isEmpty() && topLevel)
                return statements; // a text cut before its last line still converts
            if (line.isEmpty())
                throw Malformed{}; // the text ended inside a block
            if (closes(line, closings)) {
                closing = line;
                return statements;
            }
            statements.push_back(statement(line));
        }
    }

    Statement decision(const QString& condition) {
        Statement s;
        s.kind = Statement::Kind::If;
        s.expression = condition;
        QString closing;
        s.body = block({otherwiseLine, elseIf, endIf}, closing);
        if (closing.startsWith(elseIf)) {
            s.otherwise.push_back(decision(between(closing, elseIf, QStringLiteral("ΤΟΤΕ"))));
        } else if (closing == otherwiseLine) {
            s.otherwise = block({endIf}, closing);
        }
        return s;
    }

    Statement statement(const QString& line) {
        Statement s;
        if (line.startsWith(QLatin1Char('!'))) {
            s.expression = line.mid(1).trimmed();
        } else if (line.contains(QStringLiteral("<--"))) {
            s.kind = Statement::Kind::Assign;
            const qsizetype arrow = line.indexOf(QStringLiteral("<--"));
            s.target = line.left(arrow).trimmed();
            s.expression = line.mid(arrow + 3).trimmed();
        } else if (line.startsWith(QStringLiteral("ΑΝ "))) {
            return decision(between(line, QStringLiteral("ΑΝ "), QStringLiteral("ΤΟΤΕ")));
        } else if (line.startsWith(QStringLiteral("ΟΣΟ "))) {
            s.kind = Statement::Kind::While;
            s.expression = between(line, QStringLiteral("ΟΣΟ "), QStringLiteral("ΕΠΑΝΑΛΑΒΕ"));
            QString closing;
            s.body = block({endWhile}, closing);
        } else if (line == repeatLine) {
            s.kind = Statement::Kind::Until;
            QString closing;
            s.body = block({until}, closing);
            s.expression = between(closing, until, {});
        } else if (line.startsWith(QStringLiteral("ΔΙΑΒΑΣΕ"))) {
            s.kind = Statement::Kind::Input;
            const QStringList items = OutputList::split(line.mid(7));
            s.target = items.last().trimmed();
            if (items.size() > 1)
                s.prompt = unquoted(items.first());
        } else if (line.startsWith(QStringLiteral("ΓΡΑΨΕ"))) {
            s.kind = Statement::Kind::Output;
            QString rest = line.mid(5).trimmed();
            if (rest.endsWith(continuesLineComment())) {
                rest.chop(continuesLineComment().size());
                s.continuesLine = true;
            }
            // An older text's final ";" meant the same.
            s.continuesLine = s.continuesLine || rest.trimmed().endsWith(QLatin1Char(';'));
            rest.remove(QLatin1Char(';'));
            for (const QString& item : OutputList::split(rest))
                if (!item.trimmed().isEmpty())
                    s.items << item.trimmed();
        } else if (line == endIf || line == endWhile || line == otherwiseLine ||
                   line.startsWith(until) || line.startsWith(elseIf) || line == endProgram) {
            throw Malformed{}; // a closing line without its opening
        } else {
            s.expression = line; // not a statement of the language: kept as a comment
        }
        return s;
    }

    QStringList m_lines;
    qsizetype m_at = 0;
    bool m_topLevel = false;
};

} // namespace

std::optional<Program> parse(const QString& pseudo) {
    try {
        return Reader(pseudo.split(QLatin1Char('\n'))).program();
    } catch (const Malformed&) {
        return std::nullopt;
    }
}

bool anyContinuesLine(const std::vector<Statement>& statements) {
    for (const Statement& s : statements) {
        if (s.continuesLine || anyContinuesLine(s.body) || anyContinuesLine(s.otherwise))
            return true;
    }
    return false;
}

QString continuesLineComment() {
    return QStringLiteral("! ΣΤΗΝ ΙΔΙΑ ΓΡΑΜΜΗ ΜΕ ΤΟ ΠΡΟΗΓΟΥΜΕΝΟ");
}

QStringList structureProblems(const QString& pseudo) {
    QStringList problems;
    for (QString line : pseudo.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('!')) &&
            line.contains(QStringLiteral("σπάει τη δομή"), Qt::CaseInsensitive))
            problems << line.mid(1).trimmed();
    }
    return problems;
}

} // namespace PseudoProgram
