#include "gui/windows/CommandsHelp.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace CommandsHelp {

QString text() {
    return QStringLiteral(
        "ΠΩΣ ΓΡΑΦΩ ΤΙΣ ΕΝΤΟΛΕΣ\n"
        "\n"
        "Εκχώρηση (Κάνε):      ΜΕΤΑΒΛΗΤΗ <-- ΕΚΦΡΑΣΗ        π.χ.  Σ <-- Σ + Ι\n"
        "    Το βέλος γράφεται <--, και δεκτά είναι και τα <-  ←  :=\n"
        "    Στοιχείο πίνακα:   Α[Ι] <-- 0      Π[Ι,Κ] <-- Ι * Κ\n"
        "    Τυχαίος αριθμός:   Ζ <-- ΤΥΧΑΙΟΣ(6)   (από 0 έως 5)\n"
        "Είσοδος (Διάβασε):    το όνομα της μεταβλητής     π.χ.  Ν   ή   Α[Ι]\n"
        "Έξοδος (Γράψε):       μηνύματα σε εισαγωγικά και εκφράσεις, χωρισμένα με κόμμα\n"
        "                      π.χ.  \"ΤΟ ΑΘΡΟΙΣΜΑ ΕΙΝΑΙ\", Σ\n"
        "    Με ; στο τέλος, η έξοδος συνεχίζει στην ίδια γραμμή με την προηγούμενη.\n"
        "Συνθήκη (ΑΝ, ΟΣΟ, ΜΕΧΡΙΣ_ΟΤΟΥ):  μια σχέση  π.χ.  Α > 0   ή   Χ >= 1 ΚΑΙ Χ <= 10\n"
        "\n"
        "ΤΕΛΕΣΤΕΣ\n"
        "  +  -  *  /       πρόσθεση, αφαίρεση, πολλαπλασιασμός, διαίρεση   π.χ. (Α + Β) / 2\n"
        "  ^                δύναμη                                            π.χ. Χ ^ 2\n"
        "  DIV   ή  \\       ακέραιο πηλίκο                                    π.χ. 17 DIV 5  (3)\n"
        "  MOD              υπόλοιπο                                          π.χ. 17 MOD 5  (2)\n"
        "      Το MOD παίρνει ένα μόνο στοιχείο από κάθε πλευρά (αριθμό, μεταβλητή ή στοιχείο\n"
        "      πίνακα) και υπολογίζεται πρώτο:  Χ * 3 MOD 5  σημαίνει  Χ * (3 MOD 5).\n"
        "      Για το υπόλοιπο μιας παράστασης, υπολογίστε την πρώτα σε μια μεταβλητή.\n"
        "  =  <>  <  >  <=  >=   σύγκριση   (το <> γράφεται και  !=  ή  #)   π.χ. Α <> 0\n"
        "  ΚΑΙ (AND), Ή (OR), ΟΧΙ (NOT)   λογικοί τελεστές   π.χ. ΟΧΙ (Α > 0 Ή Β > 0)\n"
        "\n"
        "Σειρά υπολογισμού: MOD, ^, πρόσημο -, * και /, DIV, + και -, συγκρίσεις, ΟΧΙ, ΚΑΙ, Ή.\n"
        "Οι παρενθέσεις αλλάζουν τη σειρά:  (Α + Β) * 2.\n"
        "Δύο τιμές χωρίς τελεστή ανάμεσά τους (π.χ.  2 Χ) είναι λάθος: γράψτε  2 * Χ.\n"
        "\n"
        "ΣΥΝΑΡΤΗΣΕΙΣ\n"
        "  Α_Μ(Χ)    ακέραιο μέρος          π.χ. Α_Μ(7.8) = 7\n"
        "  Α_Τ(Χ)    απόλυτη τιμή           π.χ. Α_Τ(-2) = 2\n"
        "  Τ_Ρ(Χ)    τετραγωνική ρίζα       π.χ. Τ_Ρ(16) = 4\n"
        "  ΡΝΔ       τυχαίο ψηφίο 0 έως 9   π.χ. Ζ <-- ΡΝΔ + 1\n"
        "\n"
        "ΟΝΟΜΑΤΑ ΜΕΤΑΒΛΗΤΩΝ\n"
        "  Ξεκινούν με γράμμα, π.χ. Χ, ΣΥΝΟΛΟ, Α1. Δεν είναι δεσμευμένες λέξεις (ΑΝ, ΤΟΤΕ, ΚΑΙ,\n"
        "  ΟΧΙ, ...). Οι αριθμοί γράφονται με τελεία: 3.5\n");
}

void show(QWidget* owner) {
    const QString name = QStringLiteral("kelvraCommandsHelp");
    QWidget* window =
        owner ? owner->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new QWidget(owner, Qt::Window);
        window->setObjectName(name);
        window->setWindowTitle(QStringLiteral("Πώς γράφω τις εντολές"));
        auto* page = new QPlainTextEdit(window);
        page->setReadOnly(true);
        page->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        page->setPlainText(text());
        auto* close = new QPushButton(QStringLiteral("Έξοδος"), window);
        QObject::connect(close, &QPushButton::clicked, window, &QWidget::hide);
        auto* layout = new QVBoxLayout(window);
        layout->addWidget(page);
        layout->addWidget(close, 0, Qt::AlignRight);
        window->resize(720, 560);
    }
    window->show();
    window->raise();
}

} // namespace CommandsHelp
