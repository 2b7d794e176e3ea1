#include "shell/TipF.h"

#include "shell/Bitmaps.h"
#include "shell/Centring.h"
#include "shell/Settings.h"
#include "shell/ShellValues.h"
#include "shell/TipList.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace kaleno {

namespace {

constexpr int kClientWidth = 328;
constexpr int kClientHeight = 173;
constexpr int kIconWidth = 19;
constexpr int kIconHeight = 17;
constexpr int kNumeroLeft = 220;
constexpr int kNumeroTop = 19;
// 8 pixels inside the right edge of the note panel (14 + 300).
constexpr int kNumeroRightLimit = 306;

const QColor kNoteColour(kNoteRed, kNoteGreen, kNoteBlue);

// The note panel; its painting belongs to the window, as a paint box's does.
class TipBox : public QWidget {
public:
    TipBox(TTipF *owner, QWidget *parent)
        : QWidget(parent)
        , owner_(owner)
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        owner_->tipBoxPaint(painter);
    }

private:
    TTipF *owner_;
};

void setNoteBackground(QLabel *label)
{
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, kNoteColour);
    label->setPalette(colours);
    label->setAutoFillBackground(true);
}

} // namespace

TTipF::TTipF(QWidget *parent)
    : QDialog(parent,
        Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TTipF"));
    setWindowTitle(QStringLiteral(" Astuce du jour"));
    setAccessibleName(QStringLiteral("Astuce du jour"));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(QFont(QStringLiteral("Arial"), 8));

    tipBox_ = new TipBox(this, this);
    tipBox_->setObjectName(QStringLiteral("tipBox"));
    tipBox_->setAccessibleName(QStringLiteral("Le saviez vous..."));
    tipBox_->setGeometry(14, 8, 300, 107);

    tipLab_ = new QLabel(this);
    tipLab_->setObjectName(QStringLiteral("TipLab"));
    tipLab_->setAccessibleName(QStringLiteral("Astuce"));
    tipLab_->setGeometry(23, 35, 281, 70);
    tipLab_->setWordWrap(true);
    tipLab_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setNoteBackground(tipLab_);

    numeroLab_ = new QLabel(this);
    numeroLab_->setObjectName(QStringLiteral("NumeroLab"));
    numeroLab_->setAccessibleName(QStringLiteral("Numéro de l'astuce"));
    numeroLab_->move(kNumeroLeft, kNumeroTop);
    setNoteBackground(numeroLab_);

    tipCroix_ = new QCheckBox(
        QStringLiteral(" Toujours afficher cette boîte de dialogue au démarrage."), this);
    tipCroix_->setObjectName(QStringLiteral("TipCroix"));
    tipCroix_->setAccessibleName(
        QStringLiteral("Toujours afficher cette boîte de dialogue au démarrage"));
    tipCroix_->setGeometry(14, 120, 300, 17);

    predBout_ = new QPushButton(QStringLiteral("Astuce &précédente"), this);
    predBout_->setObjectName(QStringLiteral("PredBout"));
    predBout_->setAccessibleName(QStringLiteral("Astuce précédente"));
    predBout_->setGeometry(14, 142, 110, 23);

    nextbout_ = new QPushButton(QStringLiteral("Astuce &suivante"), this);
    nextbout_->setObjectName(QStringLiteral("Nextbout"));
    nextbout_->setAccessibleName(QStringLiteral("Astuce suivante"));
    nextbout_->setGeometry(128, 142, 104, 23);

    closeBout_ = new QPushButton(QStringLiteral("&Quitter"), this);
    closeBout_->setObjectName(QStringLiteral("CloseBout"));
    closeBout_->setAccessibleName(QStringLiteral("Quitter"));
    closeBout_->setGeometry(236, 142, 78, 23);
    closeBout_->setDefault(true);

    connect(tipCroix_, &QCheckBox::clicked, this, &TTipF::TipCroixClick);
    connect(predBout_, &QPushButton::clicked, this, &TTipF::PredBoutClick);
    connect(nextbout_, &QPushButton::clicked, this, &TTipF::NextboutClick);
    connect(closeBout_, &QPushButton::clicked, this, &TTipF::CloseBoutClick);
}

void TTipF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(*this);
    FormShow();
}

void TTipF::FormShow()
{
    open_ = true;
    tipsBitmap_ = LoadResourceBitmap(QStringLiteral("Tips"));
    if (!tipsBitmap_.isNull())
        ReplaceImageColour(tipsBitmap_, qRgb(255, 0, 0), kNoteColour.rgb());

    QFile resource(QStringLiteral(":/text/TIPS.txt"));
    tips_ = resource.open(QIODevice::ReadOnly) ? ParseTips(resource.readAll()) : QStringList();

    Settings &settings = AppSettings();
    tipCroix_->setChecked(settings.TipFlag);
    // A negative index can only come from a damaged settings file; it restarts too.
    if (settings.TipIndex > tips_.size() - 1 || settings.TipIndex < 0)
        settings.TipIndex = 0;
    showTip();
    tipBox_->update();
}

void TTipF::showTip()
{
    const int index = AppSettings().TipIndex;
    if (index < 0 || index >= tips_.size()) {
        tipLab_->clear();
        numeroLab_->clear();
        return;
    }
    tipLab_->setText(tips_[index]);
    numeroLab_->setText(QStringLiteral("Astuce n° %1 sur %2").arg(index + 1).arg(tips_.size()));
    numeroLab_->adjustSize();
    // From its place at (220, 19), moved left as far as needed to end inside the panel.
    numeroLab_->move(std::min(kNumeroLeft, kNumeroRightLimit - numeroLab_->width()), kNumeroTop);
}

void TTipF::NextboutClick()
{
    int &index = AppSettings().TipIndex;
    ++index;
    if (index > tips_.size() - 1)
        index = 0;
    showTip();
}

void TTipF::PredBoutClick()
{
    int &index = AppSettings().TipIndex;
    --index;
    if (index < 0)
        index = std::max<int>(0, tips_.size() - 1);
    showTip();
}

void TTipF::CloseBoutClick() { close(); }

void TTipF::TipCroixClick() { tipBox_->update(4, 4, kIconWidth, kIconHeight); }

void TTipF::FormClose()
{
    Settings &settings = AppSettings();
    ++settings.TipIndex;
    if (settings.TipIndex > tips_.size() - 1)
        settings.TipIndex = 0;
    settings.TipFlag = tipCroix_->isChecked();
    tips_.clear();
    tipsBitmap_ = QImage();
}

void TTipF::done(int result)
{
    if (open_) {
        open_ = false;
        FormClose();
    }
    QDialog::done(result);
}

void TTipF::tipBoxPaint(QPainter &painter)
{
    // GDI's rectangle (0, 0)-(300, 107): a one-pixel grey outline on its last row and
    // column included, the note colour inside.
    painter.fillRect(0, 0, 300, 107, kNoteColour);
    painter.setPen(QColor(128, 128, 128));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, 299, 106);

    if (!tipsBitmap_.isNull()) {
        const int sourceLeft = tipCroix_->isChecked() ? 0 : kIconWidth;
        painter.drawImage(QPoint(4, 4), tipsBitmap_, QRect(sourceLeft, 0, kIconWidth, kIconHeight));
    }

    QFont title(QStringLiteral("Arial"), 12);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::black);
    painter.drawText(QRect(26, 5, 300 - 26, 107 - 5), Qt::AlignLeft | Qt::AlignTop,
        QStringLiteral("Le saviez vous..."));
}

} // namespace kaleno
