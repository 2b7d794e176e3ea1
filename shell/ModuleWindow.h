// The frame every teaching window shares: a top-level window whose tool panel holds
// CloseBout, AideBout and CopierBout; help by keyword; the clipboard copy as a hook.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class QHBoxLayout;
class QToolButton;

namespace kaleno {

class ModuleWindow : public QWidget {
    Q_OBJECT
public:
    // className is the window's objectName (TAddF, ...); helpKeyword its help topic.
    ModuleWindow(const QString &className, const QString &helpKeyword, QWidget *parent = nullptr);

    const QString &HelpKeyword() const { return helpKeyword_; }
    // The panel the module places along its bottom or side in its FormResize.
    QWidget *ToolPanel() const { return toolPanel_; }
    QToolButton *CloseBout() const { return closeBout_; }
    QToolButton *AideBout() const { return aideBout_; }
    QToolButton *CopierBout() const { return copierBout_; }
    // A flat tool button named `name` with its hint, appended to the panel.
    QToolButton *AddToolButton(const QString &name, const QString &caption, const QString &hint);

    // Hint bubbles on or off for every control of the window.
    void SetShowHints(bool show) { showHints_ = show; }
    bool ShowHints() const { return showHints_; }

    void CloseBoutClick();
    void AideBoutClick();
    void CopierBoutClick();

signals:
    // Emitted last when the window closes: the launcher comes back.
    void Closed();

protected:
    // The module releases what it made when it was shown.
    virtual void FormClose() { }
    // What CopierBout puts on the clipboard; a null image copies nothing.
    virtual QImage ClipboardImage() const { return {}; }

    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString helpKeyword_;
    QWidget *toolPanel_ = nullptr;
    QHBoxLayout *toolLayout_ = nullptr;
    QToolButton *closeBout_ = nullptr;
    QToolButton *aideBout_ = nullptr;
    QToolButton *copierBout_ = nullptr;
    bool showHints_ = true;
};

} // namespace kaleno
