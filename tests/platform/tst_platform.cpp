#include "platform/Calculator.h"
#include "platform/Clipboard.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/ShellLaunch.h"
#include "platform/SingleInstance.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLockFile>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>

using namespace kaleno::platform;

namespace {

QTextBrowser *helpText()
{
    QWidget *window = HelpViewerWindow();
    return window != nullptr ? window->findChild<QTextBrowser *>(QStringLiteral("HelpText"))
                             : nullptr;
}

QPushButton *helpButton(const char *name)
{
    return HelpViewerWindow()->findChild<QPushButton *>(QString::fromLatin1(name));
}

// Every link of an HTML page, as the help browser reads them.
QStringList linksOf(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    QStringList links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (format.isAnchor() && !format.anchorHref().isEmpty()
                && !links.contains(format.anchorHref()))
                links.append(format.anchorHref());
        }
    return links;
}

QString readUtf8(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// Lock file contents as QLockFile writes them: process id, application name, host name,
// machine id and boot id, one a line. The name and host are those that QLockFile records
// for this process, read back from a real lock in the scratch folder.
QByteArray lockFileText(qint64 pid, const QString &scratchFolder)
{
    QLockFile probe(QDir(scratchFolder).filePath(QStringLiteral("probe.lock")));
    QString host;
    QString application;
    if (!probe.tryLock(0) || !probe.getLockInfo(nullptr, &host, &application))
        return QByteArray();
    return QByteArray::number(pid) + '\n' + application.toUtf8() + '\n' + host.toUtf8() + '\n'
        + QSysInfo::machineUniqueId() + '\n' + QSysInfo::bootUniqueId() + '\n';
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void clipboardImageRoundTrip();
    void clipboardTextReplacesImage();

    void warningBoxes_data();
    void warningBoxes();

    void helpOpensPageOfKeyword_data();
    void helpOpensPageOfKeyword();
    void helpPageExistsForEveryKeyword_data();
    void helpPageExistsForEveryKeyword();
    void helpFileNamesDifferBeyondCase();
    void helpLinksResolve();
    void helpKeepsOneWindowAndItsHistory();
    void helpFollowsClickedLink();
    void helpUsableFromModalDialog();
    void helpDoesNotKeepProgramAlive();
    void quitHelpDestroysWindow();

    void secondInstanceRefusedUntilFirstReleases();
    void existingLockFile_data();
    void existingLockFile();

    void calculatorLookup_data();
    void calculatorLookup();

    void documentUrl_data();
    void documentUrl();
    void programExists();
    void windowsFolder();
};

void TestPlatform::cleanup()
{
    QuitHelp();
    Clear();
}

void TestPlatform::clipboardImageRoundTrip()
{
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(3, 2, qRgb(255, 0, 128));

    Clear();
    QVERIFY(!HasBitmap());
    PutImage(image);
    QVERIFY(HasBitmap());
    const QImage back = QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(back.size(), QSize(7, 5));
    QCOMPARE(back.pixel(3, 2), qRgb(255, 0, 128));
    QCOMPARE(back.pixel(0, 0), qRgb(10, 20, 30));
    Clear();
    QVERIFY(!HasBitmap());
}

void TestPlatform::clipboardTextReplacesImage()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    PutImage(image);
    const QString text = QStringLiteral("Couleur définie :\r\nComposantes RVB : 255 255 0\r\n");
    PutText(text);
    QVERIFY(!HasBitmap());
    QCOMPARE(QApplication::clipboard()->text(), text);
}

void TestPlatform::warningBoxes_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("button");

    QTest::newRow("second instance")
        << QStringLiteral("Avertissement")
        << QStringLiteral("Attention, Kaleno est déjà en cours d'exécution.")
        << QStringLiteral("&Oui");
    QTest::newRow("option unavailable")
        << QStringLiteral(" Option indisponible")
        << QStringLiteral("Cette fonction n'est pas autorisée par les options courantes...")
        << QString();
    QTest::newRow("plain warning") << QStringLiteral("Avertissement")
                                   << QStringLiteral("Le fichier est introuvable.") << QString();
}

void TestPlatform::warningBoxes()
{
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(QString, button);

    QString shownCaption;
    QString shownText;
    QStringList shownButtons;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    // The box is modal: it is read and answered from the event loop that it runs itself.
    QTimer answer;
    answer.setInterval(0);
    connect(&answer, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        answer.stop();
        shownCaption = box->windowTitle();
        shownText = box->text();
        shownIcon = box->icon();
        for (QAbstractButton *b : box->buttons())
            shownButtons.append(b->text());
        box->buttons().constFirst()->click();
    });
    answer.start();

    if (!button.isEmpty())
        WarningBoxWithButton(nullptr, text, button);
    else if (caption == QLatin1String("Avertissement"))
        WarningBox(nullptr, text);
    else
        WarningBox(nullptr, caption, text);

    QCOMPARE(shownCaption, caption);
    QCOMPARE(shownText, text);
    QCOMPARE(shownIcon, QMessageBox::Warning);
    QCOMPARE(shownButtons.size(), 1);
    if (!button.isEmpty())
        QCOMPARE(shownButtons.constFirst(), button);
}

void TestPlatform::helpOpensPageOfKeyword_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shownKeyword");

    QTest::newRow("additive") << "ADDITIVE"
                              << "Synthèse trichromique additive"
                              << "ADDITIVE";
    QTest::newRow("moires upper") << "ILLUSIONS"
                                  << "Moirés"
                                  << "ILLUSIONS";
    QTest::newRow("illusions mixed") << "Illusions"
                                     << "Illusions d'optique"
                                     << "Illusions";
    QTest::newRow("histogram upper") << "CONTRASTE"
                                     << "Histogramme des nuances de gris"
                                     << "CONTRASTE";
    QTest::newRow("contrast mixed") << "Contraste"
                                    << "Contraste et luminosité d'une image"
                                    << "Contraste";
    QTest::newRow("colour choice upper") << "LENS"
                                         << "Choix d'une couleur"
                                         << "LENS";
    QTest::newRow("lenses mixed") << "Lens"
                                  << "Lentilles épaisses"
                                  << "Lens";
    QTest::newRow("camera object") << "PICKPHOTO"
                                   << "Objet photographié"
                                   << "PICKPHOTO";
    QTest::newRow("contents") << "Sommaire"
                              << "Sommaire de l'aide"
                              << "Sommaire";
    QTest::newRow("unknown") << "Astronomie"
                             << "Sommaire de l'aide"
                             << "Sommaire";
    QTest::newRow("wrong case") << "additive"
                                << "Sommaire de l'aide"
                                << "Sommaire";
    QTest::newRow("empty") << ""
                           << "Sommaire de l'aide"
                           << "Sommaire";
}

void TestPlatform::helpOpensPageOfKeyword()
{
    QFETCH(QString, keyword);
    QFETCH(QString, title);
    QFETCH(QString, shownKeyword);

    QVERIFY(HelpViewerWindow() == nullptr);
    ShowHelpTopic(keyword);
    QWidget *window = HelpViewerWindow();
    QVERIFY(window != nullptr);
    QCOMPARE(window->objectName(), QStringLiteral("THelpViewer"));
    QVERIFY(window->isWindow());
    QVERIFY(window->isVisible());
    QVERIFY(window->windowTitle().startsWith(QStringLiteral("Aide de Kaleno")));
    QVERIFY(helpText() != nullptr);
    QCOMPARE(helpText()->documentTitle(), title);
    QVERIFY(helpText()->toPlainText().contains(title));
    QCOMPARE(CurrentHelpKeyword(), shownKeyword);
}

void TestPlatform::helpPageExistsForEveryKeyword_data()
{
    QTest::addColumn<QString>("keyword");
    const char *const keywords[] = {
        "ADDITIVE",
        "ECLAIRAGE",
        "TVLOUPE",
        "SOUSTRACTIVE",
        "ILLUSIONS",
        "Browser",
        "Options",
        "QUADRICHRO",
        "RGB",
        "DESSIN",
        "Illusions",
        "CONTRASTE",
        "Contraste",
        "Spectre",
        "PICKFILTRE",
        "FILTRES",
        "MESURE",
        "PICKPHOTO",
        "PHOTO",
        "LENS",
        "PICKLENS",
        "LENSED",
        "Lens",
    };
    for (const char *keyword : keywords)
        QTest::newRow(keyword) << QString::fromLatin1(keyword);
}

void TestPlatform::helpPageExistsForEveryKeyword()
{
    QFETCH(QString, keyword);
    const QString path = HelpPagePath(keyword);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    // A keyword missing from the table would silently fall back on the contents page.
    QVERIFY(path != HelpPagePath(QStringLiteral("Sommaire")));
    QVERIFY(QFile::exists(HelpPagePath(QStringLiteral("Sommaire"))));
}

void TestPlatform::helpFileNamesDifferBeyondCase()
{
    const QStringList pairs[] = {
        {QStringLiteral("ILLUSIONS"), QStringLiteral("Illusions")},
        {QStringLiteral("CONTRASTE"), QStringLiteral("Contraste")},
        {QStringLiteral("LENS"), QStringLiteral("Lens")},
    };
    for (const QStringList &pair : pairs)
        QVERIFY2(HelpPagePath(pair[0]).compare(HelpPagePath(pair[1]), Qt::CaseInsensitive) != 0,
            qPrintable(pair[0]));

    // No two pages of the help folder may clash on a case-insensitive file system.
    const QStringList files = QDir(QStringLiteral(":/help")).entryList(QDir::Files);
    QSet<QString> folded;
    for (const QString &file : files)
        folded.insert(file.toLower());
    QCOMPARE(folded.size(), files.size());
}

void TestPlatform::helpLinksResolve()
{
    const QDir folder(QStringLiteral(":/help"));
    const QStringList pages = folder.entryList({QStringLiteral("*.html")}, QDir::Files);
    QCOMPARE(pages.size(), 24); // 23 window keywords and the contents

    QSet<QString> linkedFromContents;
    for (const QString &page : pages) {
        const QString html = readUtf8(folder.filePath(page));
        QVERIFY2(!html.isEmpty(), qPrintable(page));
        const QUrl base(QStringLiteral("qrc:/help/") + page);
        for (const QString &link : linksOf(html)) {
            const QUrl target = base.resolved(QUrl(link));
            QVERIFY2(target.scheme() == QLatin1String("qrc"),
                qPrintable(page + QStringLiteral(" -> ") + link));
            QVERIFY2(QFile::exists(QLatin1Char(':') + target.path()),
                qPrintable(page + QStringLiteral(" -> ") + link));
            if (page == QLatin1String("sommaire.html"))
                linkedFromContents.insert(target.fileName());
        }
        if (page != QLatin1String("sommaire.html"))
            QVERIFY2(linksOf(html).contains(QStringLiteral("sommaire.html")), qPrintable(page));
    }
    for (const QString &page : pages)
        if (page != QLatin1String("sommaire.html"))
            QVERIFY2(linkedFromContents.contains(page), qPrintable(page));
}

void TestPlatform::helpKeepsOneWindowAndItsHistory()
{
    ShowHelpTopic(QStringLiteral("ADDITIVE"));
    QWidget *window = HelpViewerWindow();
    ShowHelpTopic(QStringLiteral("RGB"));
    QCOMPARE(HelpViewerWindow(), window);
    QCOMPARE(CurrentHelpKeyword(), QStringLiteral("RGB"));
    int viewers = 0;
    for (QWidget *topLevel : QApplication::topLevelWidgets())
        viewers += topLevel->objectName() == QLatin1String("THelpViewer") ? 1 : 0;
    QCOMPARE(viewers, 1);

    QPushButton *back = helpButton("PrecedentBout");
    QPushButton *forward = helpButton("SuivantBout");
    QVERIFY(back->isEnabled());
    QVERIFY(!forward->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(CurrentHelpKeyword(), QStringLiteral("ADDITIVE"));
    QVERIFY(forward->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    QCOMPARE(CurrentHelpKeyword(), QStringLiteral("RGB"));
    QTest::mouseClick(helpButton("SommaireBout"), Qt::LeftButton);
    QCOMPARE(CurrentHelpKeyword(), QStringLiteral("Sommaire"));

    // Closing hides the window; the next request brings the same one back.
    QTest::mouseClick(helpButton("FermerBout"), Qt::LeftButton);
    QVERIFY(!window->isVisible());
    ShowHelpTopic(QStringLiteral("PHOTO"));
    QCOMPARE(HelpViewerWindow(), window);
    QVERIFY(window->isVisible());
    QCOMPARE(helpText()->documentTitle(), QStringLiteral("Appareil photographique"));
}

void TestPlatform::helpFollowsClickedLink()
{
    ShowHelpTopic(QStringLiteral("Sommaire"));
    QWidget *window = HelpViewerWindow();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTextBrowser *browser = helpText();

    QTextCursor found = browser->document()->find(QStringLiteral("Moirés"));
    QVERIFY(!found.isNull());
    QVERIFY(found.charFormat().isAnchor());
    QTextCursor inside(browser->document());
    inside.setPosition(found.selectionStart() + 2);
    browser->setTextCursor(inside);
    browser->ensureCursorVisible();
    const QPoint point = browser->cursorRect(inside).center() + QPoint(2, 0);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, point);

    QTRY_COMPARE(CurrentHelpKeyword(), QStringLiteral("ILLUSIONS"));
    QCOMPARE(browser->documentTitle(), QStringLiteral("Moirés"));
    QTest::mouseClick(helpButton("PrecedentBout"), Qt::LeftButton);
    QCOMPARE(CurrentHelpKeyword(), QStringLiteral("Sommaire"));
}

void TestPlatform::helpUsableFromModalDialog()
{
    // A modal dialog blocks every window that is not its own: the help it opens must be.
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(QApplication::activeModalWidget(), &dialog);

    ShowHelpTopic(QStringLiteral("Options"));
    QWidget *window = HelpViewerWindow();
    QCOMPARE(window->parentWidget(), &dialog);
    QVERIFY(window->isWindow());
    QVERIFY(window->isVisible());
    QCOMPARE(CurrentHelpKeyword(), QStringLiteral("Options"));

    // Once the dialog has gone, the same window comes back on its own.
    dialog.hide();
    ShowHelpTopic(QStringLiteral("Lens"));
    QCOMPARE(HelpViewerWindow(), window);
    QVERIFY(window->parentWidget() == nullptr);
    QVERIFY(window->isVisible());
    QCOMPARE(CurrentHelpKeyword(), QStringLiteral("Lens"));
}

void TestPlatform::helpDoesNotKeepProgramAlive()
{
    QWidget launcher;
    launcher.show();
    QVERIFY(QTest::qWaitForWindowExposed(&launcher));
    ShowHelpTopic(QStringLiteral("Sommaire"));
    QVERIFY(HelpViewerWindow()->isVisible());

    // Closing the last main window must end the message loop, help open or not; the
    // fallback timer only ends a loop that the help would otherwise keep running.
    bool endedByFallback = false;
    QTimer::singleShot(0, &launcher, &QWidget::close);
    QTimer fallback;
    fallback.setSingleShot(true);
    connect(&fallback, &QTimer::timeout, qApp, [&] {
        endedByFallback = true;
        QCoreApplication::quit();
    });
    fallback.start(10000);
    QApplication::exec();
    QVERIFY(!endedByFallback);
}

void TestPlatform::quitHelpDestroysWindow()
{
    QuitHelp(); // harmless when no window is open
    QCOMPARE(CurrentHelpKeyword(), QString());
    ShowHelpTopic(QStringLiteral("MESURE"));
    QPointer<QWidget> window = HelpViewerWindow();
    QVERIFY(!window.isNull());
    QuitHelp();
    QVERIFY(window.isNull());
    QVERIFY(HelpViewerWindow() == nullptr);
    QCOMPARE(CurrentHelpKeyword(), QString());
    ShowHelpTopic(QStringLiteral("MESURE"));
    QVERIFY(HelpViewerWindow() != nullptr);
    QCOMPARE(CurrentHelpKeyword(), QStringLiteral("MESURE"));
}

void TestPlatform::secondInstanceRefusedUntilFirstReleases()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("Kaleno.lock"));
    {
        SingleInstance first(path);
        QVERIFY(first.TryAcquire());
        QVERIFY(first.TryAcquire()); // asking again while holding it is no refusal
        QVERIFY(QFile::exists(path));
        SingleInstance second(path);
        QVERIFY(!second.TryAcquire());
        QVERIFY(!second.TryAcquire());
    }
    QVERIFY(!QFile::exists(path));
    SingleInstance third(path);
    QVERIFY(third.TryAcquire());

    QVERIFY(SingleInstance::DefaultLockPath().startsWith(QDir::tempPath()));
    const QString name = QFileInfo(SingleInstance::DefaultLockPath()).fileName();
    QVERIFY(name.startsWith(QStringLiteral("Kaleno")) && name.endsWith(QStringLiteral(".lock")));
}

void TestPlatform::existingLockFile_data()
{
    QTest::addColumn<qint64>("pid");
    QTest::addColumn<bool>("acquired");

    // No system hands out this process id: above the largest Linux pid_max (2^22), and not a
    // multiple of 4 as Windows process ids are. It stands for a run that crashed.
    QTest::newRow("left by a dead process") << qint64(0x3FFFFFFF) << true;
    QTest::newRow("held by a live process") << QCoreApplication::applicationPid() << false;
}

void TestPlatform::existingLockFile()
{
    QFETCH(qint64, pid);
    QFETCH(bool, acquired);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("Kaleno.lock"));
    const QByteArray text = lockFileText(pid, folder.path());
    QVERIFY(!text.isEmpty());
    {
        QFile lock(path);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(text);
    }

    SingleInstance instance(path);
    QCOMPARE(instance.TryAcquire(), acquired);
    QFile lock(path);
    QVERIFY(lock.open(QIODevice::ReadOnly));
    const qint64 owner = lock.readLine().trimmed().toLongLong();
    QCOMPARE(owner, acquired ? QCoreApplication::applicationPid() : pid);
}

void TestPlatform::calculatorLookup_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("none") << QStringList() << QString();
    QTest::newRow("unrelated program") << QStringList {QStringLiteral("calc-inconnu")} << QString();
    QTest::newRow("oldest only") << QStringList {QStringLiteral("xcalc")}
                                 << QStringLiteral("xcalc");
    QTest::newRow("kde before oldest") << QStringList {QStringLiteral("xcalc"),
        QStringLiteral("kcalc")} << QStringLiteral("kcalc");
    QTest::newRow("gnome first of all") << QStringList {QStringLiteral("galculator"),
        QStringLiteral("xcalc"), QStringLiteral("gnome-calculator"), QStringLiteral("kcalc")}
                                        << QStringLiteral("gnome-calculator");
    QTest::newRow("galculator before oldest") << QStringList {QStringLiteral("xcalc"),
        QStringLiteral("galculator")} << QStringLiteral("galculator");
}

void TestPlatform::calculatorLookup()
{
#ifdef Q_OS_WIN
    QSKIP("Windows asks its shell for the calculator; there is no search path lookup");
#else
    QFETCH(QStringList, installed);
    QFETCH(QString, expected);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const QString &name : installed) {
        QFile program(folder.filePath(name));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write("#!/bin/sh\n");
        program.close();
        QVERIFY(program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    // Only the fake programs are on the search path, so nothing real is found or started.
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(folder.path()));
    const QString found = FindCalculatorProgram();
    qputenv("PATH", savedPath);

    QCOMPARE(found, expected.isEmpty() ? QString() : folder.filePath(expected));
#endif
}

void TestPlatform::documentUrl_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("local");
    QTest::addColumn<QString>("address");

    QTest::newRow("web address") << "https://adresse.invalid/page.html?a=1" << false
                                 << "https://adresse.invalid/page.html?a=1";
    QTest::newRow("mail address") << "mailto:auteur@adresse.invalid" << false
                                  << "mailto:auteur@adresse.invalid";
    QTest::newRow("file address") << "file:///tmp/oeil/index.html" << true
                                  << "file:///tmp/oeil/index.html";
    QTest::newRow("absolute path")
        << "/opt/Kaleno/lisezmoi.txt" << true << "file:///opt/Kaleno/lisezmoi.txt";
    QTest::newRow("path with spaces and accents") << "/home/élève/Mes images/photo 1.jpg" << true
                                                  << "file:///home/élève/Mes images/photo 1.jpg";
    // "C:" is a drive, not the scheme of an address.
    QTest::newRow("drive letter path")
        << "C:/Kaleno/oeil/index.html" << true << "file:///C:/Kaleno/oeil/index.html";
}

void TestPlatform::documentUrl()
{
    QFETCH(QString, input);
    QFETCH(bool, local);
    QFETCH(QString, address);

    const QUrl url = DocumentUrl(input);
    QVERIFY(url.isValid());
    QCOMPARE(url.isLocalFile(), local);
    QCOMPARE(url.toString(), address);
}

void TestPlatform::programExists()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString program = folder.filePath(QStringLiteral("notepad.exe"));
    QFile file(program);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    QVERIFY(ProgramExists(program));
    QVERIFY(!ProgramExists(folder.path()));
    QVERIFY(!ProgramExists(folder.filePath(QStringLiteral("absent.exe"))));
    QVERIFY(!ProgramExists(QString()));
    // A program that is not there is reported, not started.
    QVERIFY(!StartProgram(folder.filePath(QStringLiteral("absent")), {}, folder.path()));
    QVERIFY(!StartProgram(QString(), {}, folder.path()));
}

void TestPlatform::windowsFolder()
{
    const QString folder = WindowsFolder();
#ifdef Q_OS_WIN
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(!folder.endsWith(QLatin1Char('\\')));
#else
    QVERIFY(folder.isEmpty());
#endif
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
