#include "core/exercise/Exercise.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace {

const QStringList knownNeeds = {"loop", "decision", "input", "output", "array"};
const QStringList knownKeys = {"title", "statement", "cases",     "compare",
                               "rules", "exam",      "max_steps", "checksum"};

struct Invalid {
    QString reason;
};

QJsonArray casesJson(const Exercise& exercise) {
    QJsonArray cases;
    for (const Exercise::Case& c : exercise.cases) {
        QJsonObject object{{"inputs", QJsonArray::fromStringList(c.inputs)},
                           {"output", c.output},
                           {"hidden", c.hidden}};
        if (!c.name.isEmpty())
            object.insert("name", c.name);
        cases.append(object);
    }
    return cases;
}

QJsonObject rulesJson(const Exercise::Rules& rules) {
    QJsonObject object;
    if (!rules.needs.isEmpty())
        object.insert("needs", QJsonArray::fromStringList(rules.needs));
    if (rules.maxBlocks > 0)
        object.insert("max_blocks", rules.maxBlocks);
    if (!rules.forbid.isEmpty())
        object.insert("forbid", QJsonArray::fromStringList(rules.forbid));
    return object;
}

// What the checksum covers: everything that decides whether a flowchart passes.
QString checksumOf(const Exercise& exercise) {
    const QJsonObject checked{{"cases", casesJson(exercise)},
                              {"rules", rulesJson(exercise.rules)},
                              {"compare", Exercise::compareName(exercise.compare)},
                              {"max_steps", double(exercise.maxSteps)}};
    return QStringLiteral("sha256:") +
           QString::fromLatin1(
               QCryptographicHash::hash(QJsonDocument(checked).toJson(QJsonDocument::Compact),
                                        QCryptographicHash::Sha256)
                   .toHex());
}

QStringList texts(const QJsonValue& value, const QString& what) {
    if (value.isUndefined())
        return {};
    if (!value.isArray())
        throw Invalid{QStringLiteral("«") + what + QStringLiteral("» πρέπει να είναι λίστα")};
    QStringList list;
    for (const QJsonValue& item : value.toArray()) {
        if (item.isString())
            list << item.toString();
        else if (item.isDouble())
            list << QString::number(item.toDouble(), 'g', 15);
        else
            throw Invalid{QStringLiteral("«") + what +
                          QStringLiteral("»: κάθε στοιχείο πρέπει να είναι κείμενο ή αριθμός")};
    }
    return list;
}

Exercise::Case caseOf(const QJsonValue& value, int number) {
    const QString where = QStringLiteral("περίπτωση ") + QString::number(number);
    if (!value.isObject())
        throw Invalid{where + QStringLiteral(": πρέπει να είναι αντικείμενο { … }")};
    const QJsonObject object = value.toObject();
    Exercise::Case c;
    c.inputs = texts(object.value("inputs"), where + QStringLiteral(", inputs"));
    if (!object.value("output").isString())
        throw Invalid{where + QStringLiteral(": λείπει το «output» (κείμενο)")};
    c.output = object.value("output").toString();
    c.hidden = object.value("hidden").toBool(false);
    c.name = object.value("name").toString();
    return c;
}

Exercise::Rules rulesOf(const QJsonValue& value) {
    Exercise::Rules rules;
    if (value.isUndefined())
        return rules;
    if (!value.isObject())
        throw Invalid{QStringLiteral("«rules» πρέπει να είναι αντικείμενο { … }")};
    const QJsonObject object = value.toObject();
    rules.needs = texts(object.value("needs"), QStringLiteral("rules.needs"));
    for (const QString& need : rules.needs)
        if (!knownNeeds.contains(need))
            throw Invalid{QStringLiteral("«rules.needs»: άγνωστο «") + need +
                          QStringLiteral("» (γίνονται δεκτά: ") + knownNeeds.join(", ") + ')'};
    if (object.contains("max_blocks")) {
        const double max = object.value("max_blocks").toDouble(-1);
        if (max < 1 || max > 1e6 || max != int(max))
            throw Invalid{QStringLiteral("«rules.max_blocks» πρέπει να είναι θετικός ακέραιος")};
        rules.maxBlocks = int(max);
    }
    rules.forbid = texts(object.value("forbid"), QStringLiteral("rules.forbid"));
    return rules;
}

Exercise exerciseOf(const QJsonObject& object, QStringList& notes) {
    Exercise exercise;
    exercise.title = object.value("title").toString();
    exercise.statement = object.value("statement").toString();
    const QJsonValue cases = object.value("cases");
    if (!cases.isArray() || cases.toArray().isEmpty())
        throw Invalid{QStringLiteral("λείπουν οι περιπτώσεις («cases»: [ … ])")};
    int number = 0;
    for (const QJsonValue& value : cases.toArray())
        exercise.cases.push_back(caseOf(value, ++number));
    const QString compare = object.value("compare").toString(QStringLiteral("numbers"));
    if (compare == QStringLiteral("numbers"))
        exercise.compare = Exercise::Compare::Numbers;
    else if (compare == QStringLiteral("words"))
        exercise.compare = Exercise::Compare::Words;
    else if (compare == QStringLiteral("exact"))
        exercise.compare = Exercise::Compare::Exact;
    else
        throw Invalid{QStringLiteral("«compare» πρέπει να είναι \"numbers\", \"words\" ή "
                                     "\"exact\"")};
    exercise.rules = rulesOf(object.value("rules"));
    exercise.exam = object.value("exam").toBool(false);
    if (object.contains("max_steps")) {
        const double steps = object.value("max_steps").toDouble(-1);
        if (steps < 1 || steps > 1e12)
            throw Invalid{QStringLiteral("«max_steps» πρέπει να είναι θετικός αριθμός")};
        exercise.maxSteps = qint64(steps);
    }
    for (auto it = object.begin(); it != object.end(); ++it)
        if (!knownKeys.contains(it.key())) {
            exercise.unknownKeys.insert(it.key(), it.value());
            notes << QStringLiteral("Άγνωστο κλειδί «") + it.key() +
                         QStringLiteral("»: αγνοείται (και κρατιέται στο αρχείο).");
        }
    return exercise;
}

// Line and column (from 1) of a byte offset in UTF-8 text.
QString position(const QByteArray& bytes, int offset) {
    offset = std::clamp(offset, 0, int(bytes.size()));
    const QByteArray before = bytes.left(offset);
    const int line = int(before.count('\n')) + 1;
    const int lineStart = int(before.lastIndexOf('\n')) + 1;
    const int column = int(QString::fromUtf8(before.mid(lineStart)).size()) + 1;
    return QStringLiteral("γραμμή ") + QString::number(line) + QStringLiteral(", στήλη ") +
           QString::number(column);
}

QString jsonMistake(QJsonParseError::ParseError error) {
    switch (error) {
    case QJsonParseError::UnterminatedObject:
        return QStringLiteral("ένα { δεν κλείνει με }");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("λείπει η «:» μετά από ένα όνομα");
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("ένα [ δεν κλείνει με ]");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("λείπει ένα κόμμα ανάμεσα σε δύο τιμές");
    case QJsonParseError::IllegalValue:
        return QStringLiteral("μη αποδεκτή τιμή (τα κείμενα μπαίνουν σε διπλά εισαγωγικά)");
    case QJsonParseError::TerminationByNumber:
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("μη αποδεκτός αριθμός");
    case QJsonParseError::IllegalEscapeSequence:
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("μη αποδεκτός χαρακτήρας σε κείμενο");
    case QJsonParseError::UnterminatedString:
        return QStringLiteral("ένα κείμενο δεν κλείνει με \"");
    case QJsonParseError::MissingObject:
        return QStringLiteral("λείπει το αντικείμενο { … }");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("περισσεύουν χαρακτήρες μετά το τέλος");
    default:
        return QStringLiteral("το αρχείο δεν είναι JSON");
    }
}

} // namespace

QString Exercise::compareName(Compare compare) {
    switch (compare) {
    case Compare::Words:
        return QStringLiteral("words");
    case Compare::Exact:
        return QStringLiteral("exact");
    case Compare::Numbers:
        break;
    }
    return QStringLiteral("numbers");
}

namespace ExerciseFile {

Read read(const QByteArray& bytes) {
    Read result;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        result.error = QStringLiteral("Η άσκηση δεν διαβάζεται (") +
                       // the parser stops one character past the mistake
                       position(bytes, parseError.offset - 1) + QStringLiteral("): ") +
                       jsonMistake(parseError.error);
        return result;
    }
    if (!document.isObject()) {
        result.error = QStringLiteral("Η άσκηση πρέπει να είναι ένα αντικείμενο JSON { … }.");
        return result;
    }
    try {
        Exercise exercise = exerciseOf(document.object(), result.notes);
        const QString recorded = document.object().value("checksum").toString();
        if (!recorded.isEmpty() && recorded != checksumOf(exercise)) {
            result.changed = true;
            result.notes << QStringLiteral("Οι περιπτώσεις ή οι κανόνες της άσκησης άλλαξαν με "
                                           "το χέρι μετά τη δημιουργία της.");
        }
        result.exercise = std::move(exercise);
    } catch (const Invalid& invalid) {
        result.error = QStringLiteral("Η άσκηση δεν μπορεί να χρησιμοποιηθεί: ") + invalid.reason +
                       QLatin1Char('.');
    }
    return result;
}

Read load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Read result;
        result.error = QStringLiteral("Δεν ανοίγει η άσκηση ") + path + QStringLiteral(": ") +
                       file.errorString();
        return result;
    }
    return read(file.readAll());
}

QByteArray write(const Exercise& exercise) {
    QJsonObject object = exercise.unknownKeys;
    object.insert("title", exercise.title);
    object.insert("statement", exercise.statement);
    object.insert("cases", casesJson(exercise));
    object.insert("compare", Exercise::compareName(exercise.compare));
    object.insert("rules", rulesJson(exercise.rules));
    object.insert("exam", exercise.exam);
    object.insert("max_steps", double(exercise.maxSteps));
    object.insert("checksum", checksumOf(exercise));
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

} // namespace ExerciseFile
