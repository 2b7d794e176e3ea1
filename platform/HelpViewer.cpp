#include "platform/HelpViewer.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace kaleno::platform {

namespace {

struct HelpTopic {
    const char *keyword;
    const char *file;
};

// Some keywords differ only by case; their files must not, or a checkout on a
// case-insensitive file system would lose pages.
constexpr HelpTopic kHelpTopics[] = {
    {"Sommaire", "sommaire.html"},
    {"ADDITIVE", "synthese-additive.html"},
    {"SOUSTRACTIVE", "synthese-soustractive.html"},
    {"DESSIN", "dessin-libre.html"},
    {"ECLAIRAGE", "eclairage.html"},
    {"Spectre", "spectre.html"},
    {"Illusions", "illusions.html"},
    {"FILTRES", "lumiere-filtres.html"},
    {"PICKFILTRE", "choix-couleur-filtre.html"},
    {"ILLUSIONS", "moires.html"},
    {"MESURE", "mesure-couleur.html"},
    {"QUADRICHRO", "quadrichromie.html"},
    {"RGB", "decomposition-rvb.html"},
    {"TVLOUPE", "loupe-television.html"},
    {"Contraste", "contraste.html"},
    {"CONTRASTE", "histogramme.html"},
    {"Lens", "lentilles.html"},
    {"LENSED", "editeur-lentilles.html"},
    {"PICKLENS", "couleurs-affichage.html"},
    {"LENS", "choix-couleur-optique.html"},
    {"PHOTO", "appareil-photo.html"},
    {"PICKPHOTO", "objet-photographie.html"},
    {"Browser", "catalogue.html"},
    {"Options", "options.html"},
};

const char *const kHelpFolder = ":/help/";
const char *const kHelpUrlFolder = "qrc:/help/";
const char *const kContentsKeyword = "Sommaire";

QString fileForKeyword(const QString &keyword)
{
    for (const HelpTopic &topic : kHelpTopics)
        if (keyword == QLatin1String(topic.keyword))
            return QString::fromLatin1(topic.file);
    return fileForKeyword(QString::fromLatin1(kContentsKeyword));
}

QString keywordForFile(const QString &file)
{
    for (const HelpTopic &topic : kHelpTopics)
        if (file == QLatin1String(topic.file))
            return QString::fromLatin1(topic.keyword);
    return QString();
}

class HelpWindow : public QWidget {
public:
    HelpWindow()
    {
        setObjectName(QStringLiteral("THelpViewer"));
        setWindowTitle(QStringLiteral("Aide de Kaleno"));
        setAccessibleName(windowTitle());
        // The help must never keep the program alive once the launcher has closed.
        setAttribute(Qt::WA_QuitOnClose, false);

        auto *contents = makeButton(QStringLiteral("&Sommaire"), QStringLiteral("SommaireBout"),
            QStringLiteral(" Revenir au sommaire de l'aide"));
        back_ = makeButton(QStringLiteral("&Précédent"), QStringLiteral("PrecedentBout"),
            QStringLiteral(" Revenir à la page lue avant celle-ci"));
        forward_ = makeButton(QStringLiteral("S&uivant"), QStringLiteral("SuivantBout"),
            QStringLiteral(" Retourner à la page quittée par Précédent"));
        auto *close = makeButton(QStringLiteral("&Fermer"), QStringLiteral("FermerBout"),
            QStringLiteral(" Fermer la fenêtre d'aide"));

        text_ = new QTextBrowser(this);
        text_->setObjectName(QStringLiteral("HelpText"));
        text_->setAccessibleName(QStringLiteral("Texte de l'aide"));
        text_->setOpenExternalLinks(false);

        auto *buttons = new QHBoxLayout;
        buttons->addWidget(contents);
        buttons->addWidget(back_);
        buttons->addWidget(forward_);
        buttons->addStretch(1);
        buttons->addWidget(close);
        auto *layout = new QVBoxLayout(this);
        layout->addLayout(buttons);
        layout->addWidget(text_, 1);

        back_->setEnabled(false);
        forward_->setEnabled(false);
        connect(contents, &QPushButton::clicked, this,
            [this] { ShowPage(QString::fromLatin1(kContentsKeyword)); });
        connect(back_, &QPushButton::clicked, text_, &QTextBrowser::backward);
        connect(forward_, &QPushButton::clicked, text_, &QTextBrowser::forward);
        connect(close, &QPushButton::clicked, this, &QWidget::close);
        connect(text_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
        connect(text_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);

        resize(640, 560);
    }

    void ShowPage(const QString &keyword)
    {
        const QUrl url(QString::fromLatin1(kHelpUrlFolder) + fileForKeyword(keyword));
        if (text_->source() != url)
            text_->setSource(url);
    }

    QString Keyword() const { return keywordForFile(text_->source().fileName()); }

private:
    QPushButton *makeButton(const QString &caption, const QString &name, const QString &hint)
    {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setToolTip(hint);
        button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
        button->setAutoDefault(false);
        return button;
    }

    QTextBrowser *text_ = nullptr;
    QPushButton *back_ = nullptr;
    QPushButton *forward_ = nullptr;
};

// One window for the whole run. It may end up as the child of a modal dialog (below), and
// die with it, so it is watched rather than owned outright.
QPointer<HelpWindow> &helpWindow()
{
    static QPointer<HelpWindow> window;
    return window;
}

bool postRoutineAdded = false;

// Called by QApplication's destructor before it tears the widgets down, so that a help
// window still open at the end of the run is deleted, not leaked.
void deleteHelpWindowAtExit()
{
    postRoutineAdded = false;
    delete helpWindow().data();
}

} // namespace

void ShowHelpTopic(const QString &keyword)
{
    QPointer<HelpWindow> &window = helpWindow();
    if (window.isNull()) {
        window = new HelpWindow;
        if (!postRoutineAdded) {
            qAddPostRoutine(deleteHelpWindowAtExit);
            postRoutineAdded = true;
        }
    }
    // A modal dialog (options, colour choice, lens editor...) blocks every window that is
    // not its own: the help it asks for becomes its child so that it can be read and used.
    QWidget *modal = QApplication::activeModalWidget();
    if (modal == window)
        modal = nullptr;
    if (window->parentWidget() != modal)
        window->setParent(modal, window->windowFlags() | Qt::Window);

    window->ShowPage(keyword);
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
}

void QuitHelp() { delete helpWindow().data(); }

QString HelpPagePath(const QString &keyword)
{
    return QString::fromLatin1(kHelpFolder) + fileForKeyword(keyword);
}

QWidget *HelpViewerWindow() { return helpWindow().data(); }

QString CurrentHelpKeyword()
{
    const HelpWindow *window = helpWindow().data();
    return window != nullptr ? window->Keyword() : QString();
}

} // namespace kaleno::platform
