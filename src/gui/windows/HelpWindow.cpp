#include "gui/windows/HelpWindow.h"

#include "core/drawing/Outlines.h"
#include "core/model/BlockKinds.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A small flowchart drawn with the blocks' own outlines.
QPixmap flowchartPicture() {
    QPixmap picture(120, 260);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    using namespace BlockKinds;
    struct Step {
        int outline;
        double w, h;
    };
    const Step steps[] = {{Ellipse, 60, 20}, {Parallelogram, 90, 25}, {Rectangle, 80, 20},
                          {Diamond, 90, 50}, {Card, 90, 28},          {Ellipse, 60, 20}};
    double y = 8;
    for (const Step& s : steps) {
        const double x = (picture.width() - s.w) / 2;
        if (y > 8)
            p.drawLine(QPointF(60, y - 14), QPointF(60, y));
        p.save();
        p.translate(x, y);
        Outlines::draw(p, s.outline, s.w, s.h, Qt::black, QColor(0xFF, 0xFF, 0xE0));
        p.restore();
        y += s.h + 14;
    }
    return picture;
}

} // namespace

QString frm_h::helpText() {
    return QStringLiteral("Έχετε προς χρήση την έκδοση ") + QStringLiteral(KELVRA_VERSION) +
           QStringLiteral(
               " \r\n"
               "\r\n"
               "Το πρόγραμμα είναι ένα εργαλείο για την εισαγωγή των μαθητών στον προγραμματισμό "
               "και όχι μια γλώσσα προγραμματισμού.\r\n"
               "\r\n"
               "Τοποθετείτε τις εντολές (χειριστήρια) πάνω στην επιφάνεια εργασίας, τις συνδέετε "
               "μεταξύ τους και εκτελείτε το διάγραμμα ροής. Κάθε εντολή έχει έναν αριθμό. Το "
               "κουμπί "
               "\"Μεταβλητές\" δείχνει τη σειρά εκτέλεσης των εντολών και τις τιμές των μεταβλητών "
               "σε κάθε βήμα.\r\n"
               "\r\n"
               "Τελεστές:\r\n"
               "  αριθμητικοί: +  -  *  /  mod  div\r\n"
               "  συγκριτικοί: =  >  <  <>  <=  >=\r\n"
               "  λογικοί: AND  OR  NOT\r\n"
               "Συναρτήσεις: Τ_Ρ (τετραγωνική ρίζα), Α_Μ (ακέραιο μέρος), Α_Τ (απόλυτη τιμή).\r\n"
               "Μεταβλητές: ονόματα με ελληνικά ή λατινικά γράμματα, π.χ. Χ, ΣΥΝΟΛΟ.\r\n"
               "Πίνακες μονοδιάστατοι, π.χ. Α[Ι], και δυσδιάστατοι, π.χ. Π[Ι,Κ].\r\n"
               "\r\n"
               "Χειρισμός:\r\n"
               "- Διαγραφή εντολής: πλήκτρο Delete ή μενού \"Εντολές-Διαγραφή Εντολής\".\r\n"
               "- Διαγραφή σύνδεσης: πλήκτρο Alt ή μενού \"Εντολές-Διαγραφή Σύνδεσης\".\r\n"
               "- Σύνδεση εντολών: κάντε κλικ στις δύο εντολές κρατώντας πατημένο το Ctrl.\r\n"
               "- Επιλογή είδους εντολής: από το μενού \"Εντολές\" ή από την εργαλειοθήκη.\r\n"
               "- Εμφάνιση της εργαλειοθήκης: \"Επεξεργασία- Εμφάνιση Εντολών\".\r\n"
               "- Διόρθωση εντολής: διπλό κλικ πάνω της.\r\n"
               "- Αλλαγή χρώματος της επιφάνειας και των ιδιοτήτων μιας εντολής: δεξί κλικ του "
               "ποντικιού.\r\n"
               "- Επιλογή πολλών εντολών: σύρετε ένα πλαίσιο στην κενή επιφάνεια ή Shift+κλικ· "
               "Ctrl+A όλες, Esc καμία. Οι επιλεγμένες μετακινούνται και διαγράφονται μαζί.\r\n"
               "- Αποκοπή, αντιγραφή, επικόλληση: Ctrl+X, Ctrl+C, Ctrl+V, και ανάμεσα σε δύο "
               "παράθυρα του προγράμματος.\r\n"
               "- Αναίρεση και επανάληψη: Ctrl+Z και Ctrl+Y.\r\n");
}

frm_h::frm_h(QWidget* owner) : QWidget(owner, Qt::Window) {
    setWindowTitle(QStringLiteral("Βοήθεια"));
    if (owner)
        setWindowIcon(owner->windowIcon());
    picture = new QLabel(this);
    picture->setPixmap(flowchartPicture());
    picture->setAlignment(Qt::AlignTop);
    Text1 = new QPlainTextEdit(this);
    Text1->setReadOnly(true);
    Text1->setPlainText(QString(helpText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    Command1 = new QPushButton(QStringLiteral("Έξοδος"), this);
    connect(Command1, &QPushButton::clicked, this, &QWidget::hide);
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(Text1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Command1, 0, Qt::AlignRight);
    resize(640, 420);
}
