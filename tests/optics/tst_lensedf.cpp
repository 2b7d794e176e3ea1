// The lens table editor: what it shows, when its buttons apply, insertion, deletion and
// moves in the table, and the table put back on any close but Ok.
#include "modules/optics/lenseditor/LensEdF.h"

#include "platform/HelpViewer.h"
#include "shell/Settings.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace kaleno;

namespace {

// Lens n of a test table: its name says its place, its thickness n thousandths.
LensDef Numbered(int n) { return {QStringLiteral("L%1").arg(n), n, 6000, 20000, 20000, 1, 1}; }

// The record the bench offers: 0.50 cm thick, 4 cm high, radii 8.93 and 100 cm,
// convex then plane.
const LensDef kOffered {QStringLiteral("ignored"), 500, 4000, 8930, 100000, 1, 0};

// The table's names 1..NbLens, in order.
QStringList Names()
{
    QStringList names;
    const Settings &s = AppSettings();
    for (int i = 1; i <= s.NbLens; ++i)
        names << s.LensTable[i].No;
    return names;
}

} // namespace

class TestLensEdF : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTableAndBothLenses();
    void clickSelectsAndShowsLens();
    void buttonsFollowCountAndSelection_data();
    void buttonsFollowCountAndSelection();
    void insertPutsNamedLensAtSelection();
    void insertStopsAtTwentyLenses();
    void deleteLastSelectsNewLast();
    void deleteMiddleMovesOthersUp();
    void movesExchangeNeighbours();
    void anyCloseButOkRestoresTable_data();
    void anyCloseButOkRestoresTable();
    void okKeepsEditsAndSelection();
    void execReturnsOnOk();
    void outOfRangeIndexIsHeldToTable();
    void helpOpensItsPage();

private:
    // A table of `count` numbered lenses, lens `index` current; then the dialog opens.
    void openOn(int count, int index);
    QPushButton *button(const char *name) const { return dialog->findChild<QPushButton *>(name); }
    QListWidget *liste() const { return dialog->findChild<QListWidget *>("Liste"); }
    void clickRow(int row);

    std::unique_ptr<TLensEdF> dialog;
};

void TestLensEdF::init()
{
    AppSettings() = Settings {};
    dialog = std::make_unique<TLensEdF>();
    dialog->SetNewLens(kOffered);
}

void TestLensEdF::cleanup()
{
    dialog.reset();
    platform::QuitHelp();
}

void TestLensEdF::openOn(int count, int index)
{
    Settings &s = AppSettings();
    for (int i = 1; i <= kMaxLens; ++i)
        s.LensTable[i] = i <= count ? Numbered(i) : AnonymousLens();
    s.NbLens = count;
    s.LensIndex = index;
    dialog->open();
    QVERIFY(dialog->isVisible());
}

void TestLensEdF::clickRow(int row)
{
    QListWidgetItem *item = liste()->item(row);
    QVERIFY(item);
    QTest::mouseClick(
        liste()->viewport(), Qt::LeftButton, {}, liste()->visualItemRect(item).center());
}

void TestLensEdF::showsTableAndBothLenses()
{
    Settings &s = AppSettings();
    s.SetLensDef(2, QStringLiteral("Ménisque"), 10, 6000, 8930, 20000, 1, 2);
    s.LensIndex = 2;
    dialog->open();

    QCOMPARE(dialog->objectName(), QStringLiteral("TLensEdF"));
    QCOMPARE(dialog->size(), QSize(446, 307));
    QCOMPARE(dialog->windowTitle(), QStringLiteral(" Ajouter une nouvelle lentille"));
    QCOMPARE(liste()->count(), 10);
    QCOMPARE(liste()->item(1)->text(), QStringLiteral("2 - Ménisque"));
    QCOMPARE(liste()->currentRow(), 1);
    QCOMPARE(dialog->Selected(), 2);
    QCOMPARE(dialog->findChild<QLineEdit *>("NomEd")->text(), QStringLiteral(" Sans nom"));

    const QStringList selected {QStringLiteral("Ménisque"), QStringLiteral("Epaisseur : 0.01 cm"),
        QStringLiteral("Hauteur : 6.00 cm"), QStringLiteral("Rayon n°1 : 8.93 cm"),
        QStringLiteral("Rayon n°2 : 20.00 cm"), QStringLiteral("Dioptre n°1 : Convexe"),
        QStringLiteral("Dioptre n°2 : Concave")};
    QCOMPARE(dialog->SelectedLines(), selected);
    const QStringList offered {QStringLiteral("Epaisseur : 0.50 cm"),
        QStringLiteral("Hauteur : 4.00 cm"), QStringLiteral("Rayon n°1 : 8.93 cm"),
        QStringLiteral("Rayon n°2 : 100.00 cm"), QStringLiteral("Dioptre n°1 : Convexe"),
        QStringLiteral("Dioptre n°2 : Plan")};
    QCOMPARE(dialog->NewLines(), offered);
    QCOMPARE(dialog->findChild<QLabel *>("SelLab3")->text(), offered[2]);
}

void TestLensEdF::clickSelectsAndShowsLens()
{
    openOn(5, 1);
    clickRow(3);
    QCOMPARE(dialog->Selected(), 4);
    QCOMPARE(dialog->SelectedLines().first(), QStringLiteral("L4"));
    QCOMPARE(dialog->SelectedLines()[1], QStringLiteral("Epaisseur : 0.00 cm"));
    // Only Ok makes the choice current.
    QCOMPARE(AppSettings().LensIndex, 1);
}

void TestLensEdF::buttonsFollowCountAndSelection_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("add");
    QTest::addColumn<bool>("del");
    QTest::addColumn<bool>("up");
    QTest::addColumn<bool>("down");

    QTest::newRow("one lens") << 1 << 1 << true << false << false << false;
    QTest::newRow("first of five") << 5 << 1 << true << true << false << true;
    QTest::newRow("middle of five") << 5 << 3 << true << true << true << true;
    QTest::newRow("last of five") << 5 << 5 << true << true << true << false;
    QTest::newRow("nineteen lenses") << 19 << 19 << true << true << true << false;
    QTest::newRow("twenty lenses") << 20 << 10 << false << true << true << true;
}

void TestLensEdF::buttonsFollowCountAndSelection()
{
    QFETCH(int, count);
    QFETCH(int, index);
    openOn(count, index);
    QTEST(button("AddBout")->isEnabled(), "add");
    QTEST(button("DelBout")->isEnabled(), "del");
    QTEST(button("HautBout")->isEnabled(), "up");
    QTEST(button("BasBout")->isEnabled(), "down");
}

void TestLensEdF::insertPutsNamedLensAtSelection()
{
    openOn(3, 2);
    dialog->findChild<QLineEdit *>("NomEd")->setText(QStringLiteral(" Ma lentille"));
    QTest::mouseClick(button("AddBout"), Qt::LeftButton);

    const Settings &s = AppSettings();
    QCOMPARE(s.NbLens, 4);
    QCOMPARE(Names(), QStringList({"L1", " Ma lentille", "L2", "L3"}));
    LensDef expected = kOffered;
    expected.No = QStringLiteral(" Ma lentille");
    QCOMPARE(s.LensTable[2], expected);
    QCOMPARE(s.LensTable[4], Numbered(3));
    QCOMPARE(dialog->Selected(), 2);
    QCOMPARE(liste()->count(), 4);
    QCOMPARE(liste()->currentRow(), 1);
    QCOMPARE(liste()->item(1)->text(), QStringLiteral("2 -  Ma lentille"));
    QCOMPARE(dialog->SelectedLines().first(), QStringLiteral(" Ma lentille"));
}

void TestLensEdF::insertStopsAtTwentyLenses()
{
    openOn(19, 19);
    QTest::mouseClick(button("AddBout"), Qt::LeftButton);
    QCOMPARE(AppSettings().NbLens, 20);
    QVERIFY(!button("AddBout")->isEnabled());
    QTest::mouseClick(button("AddBout"), Qt::LeftButton);
    QCOMPARE(AppSettings().NbLens, 20);
    // The lens that was last moved down to the last place.
    QCOMPARE(AppSettings().LensTable[20], Numbered(19));
    QCOMPARE(AppSettings().LensTable[19].No, QStringLiteral(" Sans nom"));
}

void TestLensEdF::deleteLastSelectsNewLast()
{
    openOn(3, 3);
    QTest::mouseClick(button("DelBout"), Qt::LeftButton);
    QCOMPARE(AppSettings().NbLens, 2);
    QCOMPARE(Names(), QStringList({"L1", "L2"}));
    QCOMPARE(AppSettings().LensTable[3], AnonymousLens());
    QCOMPARE(dialog->Selected(), 2);
    QCOMPARE(liste()->currentRow(), 1);
    QVERIFY(!button("BasBout")->isEnabled());

    // Down to one lens, which cannot go.
    QTest::mouseClick(button("DelBout"), Qt::LeftButton);
    QCOMPARE(Names(), QStringList({"L1"}));
    QVERIFY(!button("DelBout")->isEnabled());
    QTest::mouseClick(button("DelBout"), Qt::LeftButton);
    QCOMPARE(Names(), QStringList({"L1"}));
}

void TestLensEdF::deleteMiddleMovesOthersUp()
{
    openOn(4, 2);
    QTest::mouseClick(button("DelBout"), Qt::LeftButton);
    QCOMPARE(Names(), QStringList({"L1", "L3", "L4"}));
    QCOMPARE(dialog->Selected(), 2);
    QCOMPARE(dialog->SelectedLines().first(), QStringLiteral("L3"));
    QCOMPARE(liste()->item(2)->text(), QStringLiteral("3 - L4"));
}

void TestLensEdF::movesExchangeNeighbours()
{
    openOn(4, 2);
    QTest::mouseClick(button("BasBout"), Qt::LeftButton);
    QCOMPARE(Names(), QStringList({"L1", "L3", "L2", "L4"}));
    QCOMPARE(dialog->Selected(), 3);
    QTest::mouseClick(button("BasBout"), Qt::LeftButton);
    QCOMPARE(Names(), QStringList({"L1", "L3", "L4", "L2"}));
    QCOMPARE(dialog->Selected(), 4);
    QVERIFY(!button("BasBout")->isEnabled());

    clickRow(1);
    QTest::mouseClick(button("HautBout"), Qt::LeftButton);
    QCOMPARE(Names(), QStringList({"L3", "L1", "L4", "L2"}));
    QCOMPARE(dialog->Selected(), 1);
    QCOMPARE(liste()->currentRow(), 0);
    QVERIFY(!button("HautBout")->isEnabled());
    // The whole record travels, not only its name.
    QCOMPARE(AppSettings().LensTable[1], Numbered(3));
}

void TestLensEdF::anyCloseButOkRestoresTable_data()
{
    QTest::addColumn<QString>("closing");

    QTest::newRow("Annuler") << QStringLiteral("button");
    QTest::newRow("Escape") << QStringLiteral("escape");
    QTest::newRow("title bar") << QStringLiteral("close");
}

void TestLensEdF::anyCloseButOkRestoresTable()
{
    QFETCH(QString, closing);
    Settings &s = AppSettings();
    s.LensIndex = 4;
    const Settings before = s;

    dialog->open();
    QTest::mouseClick(button("AddBout"), Qt::LeftButton);
    QTest::mouseClick(button("HautBout"), Qt::LeftButton);
    clickRow(10);
    QTest::mouseClick(button("DelBout"), Qt::LeftButton);
    QTest::mouseClick(button("DelBout"), Qt::LeftButton);
    QTest::mouseClick(button("BasBout"), Qt::LeftButton);
    QVERIFY(s.LensTable != before.LensTable);

    if (closing == QLatin1String("button"))
        QTest::mouseClick(button("AnnulBout"), Qt::LeftButton);
    else if (closing == QLatin1String("escape"))
        QTest::keyClick(liste(), Qt::Key_Escape);
    else
        dialog->close();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(s.LensTable, before.LensTable);
    QCOMPARE(s.NbLens, before.NbLens);
    QCOMPARE(s.LensIndex, 4);
    QVERIFY(s == before);
}

void TestLensEdF::okKeepsEditsAndSelection()
{
    openOn(5, 1);
    clickRow(3);
    QTest::mouseClick(button("AddBout"), Qt::LeftButton);
    QTest::mouseClick(button("BasBout"), Qt::LeftButton);
    QTest::mouseClick(button("OkBout"), Qt::LeftButton);

    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(Names(), QStringList({"L1", "L2", "L3", "L4", " Sans nom", "L5"}));
    QCOMPARE(AppSettings().LensIndex, 5);

    // Opened again, it starts from the table as it now stands.
    dialog->open();
    QCOMPARE(dialog->Selected(), 5);
    QCOMPARE(liste()->count(), 6);
    QTest::mouseClick(button("AnnulBout"), Qt::LeftButton);
    QCOMPARE(Names(), QStringList({"L1", "L2", "L3", "L4", " Sans nom", "L5"}));
}

void TestLensEdF::execReturnsOnOk()
{
    AppSettings().LensIndex = 3;
    QTimer::singleShot(0, dialog.get(), [this] {
        QVERIFY(dialog->isVisible());
        QTest::mouseClick(button("DelBout"), Qt::LeftButton);
        QTest::mouseClick(button("OkBout"), Qt::LeftButton);
    });
    QCOMPARE(dialog->exec(), int(QDialog::Accepted));
    QCOMPARE(AppSettings().NbLens, 9);
    QCOMPARE(AppSettings().LensIndex, 3);
    QCOMPARE(AppSettings().LensTable[3], Settings {}.LensTable[4]);
}

void TestLensEdF::outOfRangeIndexIsHeldToTable()
{
    // A current index past the table (an inconsistent settings file) selects the last
    // lens rather than a slot outside it; cancelling gives the index back untouched.
    openOn(3, 15);
    QCOMPARE(dialog->Selected(), 3);
    QCOMPARE(liste()->currentRow(), 2);
    QTest::mouseClick(button("DelBout"), Qt::LeftButton);
    QCOMPARE(Names(), QStringList({"L1", "L2"}));
    QTest::mouseClick(button("AnnulBout"), Qt::LeftButton);
    QCOMPARE(Names(), QStringList({"L1", "L2", "L3"}));
    QCOMPARE(AppSettings().LensIndex, 15);
}

void TestLensEdF::helpOpensItsPage()
{
    dialog->open();
    QTest::mouseClick(button("AideBout"), Qt::LeftButton);
    QCOMPARE(platform::CurrentHelpKeyword(), QStringLiteral("LENSED"));
    QVERIFY(dialog->isVisible());
}

QTEST_MAIN(TestLensEdF)
#include "tst_lensedf.moc"
