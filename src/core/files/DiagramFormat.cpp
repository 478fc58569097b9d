#include "core/files/DiagramFormat.h"

#include "core/editor/CanonicalText.h"
#include "core/execution/NumberText.h"
#include "core/files/LineBreaks.h"
#include "core/model/Block.h"
#include "core/model/BlockKinds.h"
#include "core/model/ConnectionLine.h"
#include "core/model/Diagram.h"
#include "core/model/VbRounding.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace DiagramFormat {

namespace {

const QString crlf = QStringLiteral("\r\n");
const QString headerWord = QStringLiteral("ORVANE");
const QString separator = QStringLiteral("---- ΓΡΑΜΜΗ ---- ");

bool sharesCharacter(const QString& a, const QString& b) {
    const QString foldedB = b.toCaseFolded();
    for (const QChar c : a.toCaseFolded()) {
        if (foldedB.contains(c))
            return true;
    }
    return false;
}

// Reads the lines of a file one by one, remembering where it stopped. A line ends at LF or
// CR LF; a final line break does not start another line. The text is read where it lies, in
// one pass, so that a file of millions of lines loads in linear time and little memory.
class LineReader {
public:
    explicit LineReader(QString text) : m_text(std::move(text)) {}
    bool atEnd() const { return m_at >= m_text.size(); }
    int lineNumber() const { return m_lineNumber; } // of the line last read
    std::optional<QString> next() {
        const std::optional<QStringView> line = nextView();
        return line ? std::optional<QString>(line->toString()) : std::nullopt;
    }
    // The next line where it lies in the text, for a field that is only looked at (most
    // fields are numbers): valid until the text is taken.
    std::optional<QStringView> nextView() {
        ++m_lineNumber; // past the end, the error is reported at the missing line
        if (atEnd())
            return std::nullopt;
        qsizetype end = m_text.indexOf(QLatin1Char('\n'), m_at);
        const qsizetype after = end < 0 ? m_text.size() : end + 1;
        if (end < 0)
            end = m_text.size();
        else if (end > m_at && m_text[end - 1] == QLatin1Char('\r'))
            --end;
        const QStringView line = QStringView(m_text).mid(m_at, end - m_at);
        m_at = after;
        return line;
    }
    // Every line not read yet, each ended by CR LF, as the comment keeps them. The text is
    // handed over, not copied: a comment may be most of a large file.
    QString takeRest() {
        if (atEnd())
            return {};
        QString rest = std::move(m_text);
        rest.remove(0, m_at);
        m_at = 0;
        if (!rest.endsWith(QLatin1Char('\n')))
            rest += crlf;
        return LineBreaks::toCrLf(std::move(rest));
    }

private:
    QString m_text;
    qsizetype m_at = 0;
    int m_lineNumber = 0;
};

struct ReadError {
    QString reason;
};

QStringView needView(LineReader& reader) {
    const std::optional<QStringView> line = reader.nextView();
    if (!line)
        throw ReadError{QStringLiteral("το αρχείο τελειώνει πριν από το τέλος του διαγράμματος")};
    return *line;
}

QString need(LineReader& reader) {
    return needView(reader).toString();
}

template <typename Int> Int wholeField(QStringView line) {
    const double value = roundHalfEven(leadingNumber(line));
    if (!(value >= double(std::numeric_limits<Int>::min()) &&
          value <= double(std::numeric_limits<Int>::max())))
        throw ReadError{QStringLiteral("ο αριθμός ") + line.trimmed().toString() +
                        QStringLiteral(" είναι εκτός ορίων")};
    return Int(value);
}

// Positions are written back as whole numbers, so they must fit one.
constexpr double maxPosition = 9.2e18;

double floatField(QStringView line) {
    const double value = leadingNumber(line);
    if (!(std::abs(value) <= double(std::numeric_limits<float>::max())) ||
        std::abs(double(float(value))) >= maxPosition)
        throw ReadError{QStringLiteral("ο αριθμός ") + line.trimmed().toString() +
                        QStringLiteral(" είναι εκτός ορίων")};
    return double(float(value));
}

QString kindOfField(const QString& field) {
    const QString canonical = ucase_en_gr(field);
    const double code = leadingNumber(canonical);
    QString keyword;
    if (std::abs(code) < 1e15)
        keyword = BlockKinds::keywordForCode((long long)(code));
    return keyword.isEmpty() ? canonical : keyword;
}

// A number error is reported at the line that holds the number.
struct NumberError {
    int line;
    ReadError error;
};

template <typename Parse> auto parseAt(int line, QStringView text, Parse parse) {
    try {
        return parse(text);
    } catch (const ReadError& error) {
        throw NumberError{line, error};
    }
}

// A command longer than this is no pupil's: the file is damaged or made to hurt, and laying
// out such a caption would freeze the editor.
constexpr qsizetype maxBlockText = 65535;

QString blockText(LineReader& reader) {
    const QString field = need(reader);
    if (field.size() > maxBlockText)
        throw ReadError{
            QStringLiteral("το κείμενο της εντολής έχει ") + QString::number(field.size()) +
            QStringLiteral(" χαρακτήρες, περισσότερους από τους ") + QString::number(maxBlockText)};
    return ucase_en_gr(unescapeLineBreaks(field));
}

void readBlock(LineReader& reader, Diagram& diagram) {
    const QString key = need(reader);
    const int keyLine = reader.lineNumber();
    const QString outlineField = need(reader);
    const int outlineLine = reader.lineNumber();
    // Each number is read, then parsed, so that an error names its own line.
    auto number = [&reader](auto parse) {
        const QStringView text = needView(reader);
        return parseAt(reader.lineNumber(), text, parse);
    };
    const double left = number(floatField);
    const double top = number(floatField);
    const qint16 width = number(wholeField<qint16>);
    const qint16 height = number(wholeField<qint16>);
    const qint32 background = number(wholeField<qint32>);
    const qint32 border = number(wholeField<qint32>);
    const qint32 text = number(wholeField<qint32>);
    needView(reader); // "-1-"
    needView(reader); // "-2-"
    const QString kind = kindOfField(need(reader));
    const qint16 outline = kind == BlockKinds::output
                               ? qint16(BlockKinds::Card)
                               : parseAt(outlineLine, outlineField, wholeField<qint16>);

    cBck* block = diagram.the_bl_co().AddShape(outline, key, 0, 0);
    if (!block)
        throw NumberError{keyLine,
                          {QStringLiteral("ο αριθμός εντολής «") + key +
                           QStringLiteral("» είναι κενός ή υπάρχει ήδη")}};
    block->setShapeLeft(left);
    block->setShapeTop(top);
    block->setShapeWidth(width);
    block->setShapeHeight(height);
    block->setBGColor(quint32(background));
    block->setBorderColor(quint32(border));
    block->setTextColor(quint32(text));
    block->setZaction(kind);
    block->setZParam1(blockText(reader));
    block->setZParam2(blockText(reader));
    block->setZParam3(blockText(reader));
    block->setVisible(true);
    block->setCaptionToAction();
}

void readLine(LineReader& reader, Diagram& diagram) {
    const QString ends = need(reader);
    const qsizetype comma = ends.indexOf(QLatin1Char(','));
    if (comma < 0)
        throw ReadError{QStringLiteral("η εγγραφή σύνδεσης «") + ends +
                        QStringLiteral("» δεν έχει κόμμα")};
    needView(reader); // "-1"
    QString caption = need(reader);
    // Past the last link the diagram can hold, a link would be dropped without a word.
    if (diagram.lineCount() >= Diagram::maxCreations)
        throw ReadError{QStringLiteral("το διάγραμμα έχει περισσότερες από ") +
                        QString::number(Diagram::maxCreations) +
                        QStringLiteral(" συνδέσεις, όσες μπορεί να κρατήσει")};
    if (!caption.isEmpty()) {
        caption.replace(QStringLiteral("ΝΑΙ"), QStringLiteral("Ν"));
        caption.replace(QStringLiteral("ΟΧΙ"), QStringLiteral("Ο"));
    }
    diagram.the_li_co().Add_LINE(ends.left(comma), ends.mid(comma + 1), caption,
                                 Li_Co::Routing::Later);
}

} // namespace

namespace {
// " 59 ", or "-5 " for a negative number, into `field`; where it begins. Written here: the
// toolkit's number text goes through the locale's tables, and a file holds a dozen numbers
// a block.
const char* writeNumberField(long long value, char (&field)[24]) {
    char* const end = field + sizeof field;
    char* p = end;
    *--p = ' ';
    p = NumberText::digitsBefore(NumberText::magnitude(value), p);
    *--p = value < 0 ? '-' : ' ';
    return p;
}

// The file's text, line by line, each ended by CR LF, in one text that grows as it is written.
class TextWriter {
public:
    void line(QStringView text) {
        m_text += text;
        m_text += crlf;
    }
    void number(long long value) {
        char field[24];
        const char* begin = writeNumberField(value, field);
        m_text += QLatin1StringView(begin, field + sizeof field - begin);
        m_text += crlf;
    }
    QString& text() { return m_text; }

private:
    QString m_text;
};
} // namespace

QString numberField(long long value) {
    char field[24];
    const char* begin = writeNumberField(value, field);
    return QString::fromLatin1(begin, field + sizeof field - begin);
}

double leadingNumber(QStringView line) {
    return NumberText::leadingNumber(line);
}

QString replaceAllText(const QString& text, const QString& search, const QString& replacement) {
    // Replaces the first occurrence, then searches again from the start, until none is
    // left; a replacement that recreates the search text is not searched again.
    if (search.isEmpty() || replacement.contains(search, Qt::CaseInsensitive))
        return QString(text).replace(search, replacement, Qt::CaseInsensitive);
    // When the replacement shares no character with the search text, no replacement can
    // form a new occurrence with its neighbours, and one pass gives the same text.
    if (!replacement.isEmpty() && !sharesCharacter(search, replacement))
        return QString(text).replace(search, replacement, Qt::CaseInsensitive);
    // Otherwise a new occurrence can begin at most one search length before the replacement,
    // since the text before it held none: searching resumes there, not from the start.
    QString result = text;
    qsizetype at = 0;
    while ((at = result.indexOf(search, at, Qt::CaseInsensitive)) >= 0) {
        result.replace(at, search.size(), replacement);
        at = std::max<qsizetype>(0, at - search.size() + 1);
    }
    return result;
}

QString escapeLineBreaks(const QString& text) {
    if (!text.contains(QLatin1Char('\r')))
        return text; // most texts have no line break at all
    return replaceAllText(text, crlf, QStringLiteral("[\\n]"));
}

QString unescapeLineBreaks(const QString& text) {
    if (!text.contains(QLatin1Char('[')))
        return text; // most texts have no line break at all
    return replaceAllText(text, QStringLiteral("[\\n]"), crlf);
}

QByteArray encode(const QString& text, QString* unstorable) {
    QStringEncoder encoder("windows-1253");
    const QByteArray bytes = encoder.encode(text);
    if (unstorable && encoder.hasError()) {
        for (const QChar c : text) {
            if (unstorable->contains(c))
                continue;
            QStringEncoder single("windows-1253");
            const QByteArray ignored = single.encode(QString(c));
            if (single.hasError())
                unstorable->append(c);
        }
    }
    return bytes;
}

bool looksLikeUtf8(const QByteArray& bytes) {
    const bool beyondAscii =
        std::any_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) >= 0x80; });
    if (!beyondAscii)
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString ignored = utf8.decode(bytes);
    return !utf8.hasError();
}

QString decode(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1253");
    return decoder.decode(bytes);
}

WriteResult write(const Diagram& diagram, const QString& comment) {
    QString text = DiagramFormat::text(diagram, comment);
    WriteResult result;
    result.bytes = encode(text, &result.unstorable);
    if (!result.unstorable.isEmpty()) {
        // Written as "?" rather than as the code page's substitute character.
        for (const QChar c : result.unstorable)
            text.replace(c, QLatin1Char('?'));
        result.bytes = encode(text);
    }
    return result;
}

QString text(const Diagram& diagram, const QString& comment) {
    TextWriter out;
    int blockCount = 0;
    for (const auto& block : diagram.the_bl_co()) {
        if (!Bl_Co::isDeleted(*block))
            ++blockCount;
    }
    int lineCount = 0;
    for (const auto& line : diagram.the_li_co()) {
        if (!line->sFrom().isEmpty() && !line->sTo().isEmpty())
            ++lineCount;
    }
    out.text().reserve(qsizetype(blockCount) * 120 + qsizetype(lineCount) * 24 + comment.size() +
                       64); // about what a block and a line take
    out.line(QString::number(blockCount) + headerWord);
    out.number(lineCount);
    for (const auto& block : diagram.the_bl_co()) {
        if (Bl_Co::isDeleted(*block))
            continue;
        out.line(block->tagid());
        out.number(block->shape());
        out.number((long long)roundHalfEven(block->shapeLeft()));
        out.number((long long)roundHalfEven(block->shapeTop()));
        out.number(block->shapeWidth());
        out.number(block->shapeHeight());
        out.number(qint32(block->BGColor()));
        out.number(qint32(block->BorderColor()));
        out.number(qint32(block->TextColor()));
        out.line(u"-1-");
        out.line(u"-2-");
        out.line(BlockKinds::codeFieldFor(block->zaction()));
        out.line(escapeLineBreaks(block->zParam1()));
        out.line(escapeLineBreaks(block->zParam2()));
        out.line(escapeLineBreaks(block->zParam3()));
    }
    out.line(u"  ");
    out.line(separator);
    for (const auto& line : diagram.the_li_co()) {
        if (line->sFrom().isEmpty() || line->sTo().isEmpty())
            continue;
        out.text() += line->sFrom();
        out.text() += QLatin1Char(',');
        out.line(line->sTo());
        out.line(u"-1");
        out.line(line->sCaption());
    }
    QString& text = out.text();
    text += comment;
    if (!comment.endsWith(crlf))
        text += crlf;
    return std::move(text);
}

ReadResult read(const QByteArray& bytes, Diagram& diagram) {
    diagram.clear();
    ReadResult result;
    result.utf8 = looksLikeUtf8(bytes);
    LineReader reader(result.utf8 ? QString::fromUtf8(bytes) : decode(bytes));
    const std::optional<QString> header = reader.next();
    if (!header || !header->contains(headerWord, Qt::CaseInsensitive)) {
        result.status = ReadResult::Status::NotReadable;
        return result;
    }
    try {
        const qint16 blockCount = wholeField<qint16>(*header);
        const qint32 lineCount = wholeField<qint32>(need(reader));
        for (int i = 0; i < blockCount; ++i)
            readBlock(reader, diagram);
        need(reader);
        need(reader);
        for (qint32 i = 0; i < lineCount; ++i)
            readLine(reader, diagram);
    } catch (const ReadError& error) {
        result.status = ReadResult::Status::ReadError;
        result.errorLine = reader.lineNumber();
        result.error = error.reason;
    } catch (const NumberError& error) {
        result.status = ReadResult::Status::ReadError;
        result.errorLine = error.line;
        result.error = error.error.reason;
    }
    // The lines read, all of them or those before an error, are routed once every block is in
    // place.
    diagram.the_li_co().updateAllLines();
    if (result.status == ReadResult::Status::Ok)
        result.comment = reader.takeRest();
    return result;
}

} // namespace DiagramFormat
