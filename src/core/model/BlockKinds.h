#pragma once

#include <QString>

// The kind keywords a block's zaction holds, their outline numbers and placement sizes.
namespace BlockKinds {

inline const QString start = QStringLiteral("Αρχή");
inline const QString end = QStringLiteral("Τέλος");
inline const QString assign = QStringLiteral("Κάνε");
inline const QString input = QStringLiteral("Διάβασε");
inline const QString output = QStringLiteral("Γράψε");
inline const QString decision = QStringLiteral("ΑΝ..ΤΟΤΕ");
inline const QString whileTest = QStringLiteral("ΟΣΟ..");
inline const QString untilTest = QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ..");
inline const QString junction = QStringLiteral("ΣΥΝΔΕΣΗ");

// The end block's tool is the one tool whose text is not its kind keyword.
inline const QString endTool = QStringLiteral("END");

// Outline numbers of the drawing.
enum Outline : qint16 {
    Rectangle = 0,
    Ellipse = 2,
    SmallCircle = 3,
    Card = 90,
    Parallelogram = 91,
    Diamond = 92,
    Hexagon = 93,
};

struct KindInfo {
    QString keyword;
    qint16 outline;
    int width;
    int height;
};

// The nine kinds, in their fixed order.
const KindInfo* all(int* count);
// The entry of a kind keyword, or nullptr.
const KindInfo* find(const QString& keyword);

bool isCondition(const QString& keyword);

// The text that maps keywords to the numbers stored in diagram files.
QString kindCodeTable();
// Keyword to file field: the three characters that follow the keyword and its "+" at the
// keyword's first occurrence ("1++", "12+"); empty when the keyword has no code.
QString codeFieldFor(const QString& keyword);
// File code to keyword: the keyword in front of "+" + the first three characters of
// (code + "++"); empty when the table lacks the code.
QString keywordForCode(long long code);

} // namespace BlockKinds
