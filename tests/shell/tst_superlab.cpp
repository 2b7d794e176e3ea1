#include "shell/SuperLab.h"

#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace kaleno;

namespace {

const QColor kBlack(0, 0, 0);
const QColor kGrey(128, 128, 128);
const QColor kBlue(0, 0, 255);

void enter(QWidget *widget)
{
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(widget, &event);
}

void leave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestSuperLab : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void defaults();
    void hoverAppliesAndRestores();
    void ownCursorComesBack();
    void disabledLinkNeverChanges();
    void disabledWhileHoveringKeepsLook();
    void arrowLinkCursorOnlyChangesColour();
    void repeatedEnterSavesOnce();
    void click_data();
    void click();

private:
    std::unique_ptr<QWidget> m_window;
    TSuperLab *m_label = nullptr;
};

void TestSuperLab::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(300, 200);
    m_label = new TSuperLab(m_window.get());
    m_label->setText(u"Moirés"_qs);
    m_label->setGeometry(10, 10, 120, 20);
    m_label->setFontColor(kBlack);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestSuperLab::cleanup()
{
    m_window.reset();
    m_label = nullptr;
}

void TestSuperLab::defaults()
{
    const TSuperLab label;
    QCOMPARE(label.size(), QSize(65, 65));
    QCOMPARE(label.linkCursor().shape(), Qt::WaitCursor);
    QCOMPARE(label.linkColor(), kBlue);
    QVERIFY(label.linkEnabled());
    QVERIFY(!label.hovering());
    // The properties are reachable by name, as a form designer would set them.
    QCOMPARE(label.property("LinkColor").value<QColor>(), kBlue);
    QVERIFY(label.property("LinkEnabled").toBool());
}

void TestSuperLab::hoverAppliesAndRestores()
{
    m_label->setLinkCursor(QCursor(Qt::PointingHandCursor));
    m_label->setLinkColor(QColor(200, 0, 0));

    enter(m_label);
    QVERIFY(m_label->hovering());
    QCOMPARE(m_label->fontColor(), QColor(200, 0, 0));
    QCOMPARE(m_label->palette().color(QPalette::Inactive, QPalette::WindowText), QColor(200, 0, 0));
    QCOMPARE(m_label->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(m_label->savedColor(), kBlack);

    leave(m_label);
    QVERIFY(!m_label->hovering());
    QCOMPARE(m_label->fontColor(), kBlack);
    // The label had no cursor of its own: it shows its parent's again.
    QVERIFY(!m_label->testAttribute(Qt::WA_SetCursor));
    m_window->setCursor(Qt::CrossCursor);
    QCOMPARE(m_label->cursor().shape(), Qt::CrossCursor);
}

void TestSuperLab::ownCursorComesBack()
{
    m_label->setCursor(Qt::IBeamCursor);
    enter(m_label);
    QCOMPARE(m_label->cursor().shape(), Qt::WaitCursor);
    QCOMPARE(m_label->savedCursor().shape(), Qt::IBeamCursor);
    leave(m_label);
    QCOMPARE(m_label->cursor().shape(), Qt::IBeamCursor);
}

void TestSuperLab::disabledLinkNeverChanges()
{
    m_label->setFontColor(kGrey);
    m_label->setLinkEnabled(false);
    enter(m_label);
    QVERIFY(!m_label->hovering());
    QCOMPARE(m_label->fontColor(), kGrey);
    QVERIFY(!m_label->testAttribute(Qt::WA_SetCursor));
    leave(m_label);
    QCOMPARE(m_label->fontColor(), kGrey);
    QVERIFY(!m_label->testAttribute(Qt::WA_SetCursor));
}

void TestSuperLab::disabledWhileHoveringKeepsLook()
{
    enter(m_label);
    m_label->setLinkEnabled(false);
    leave(m_label);
    QVERIFY(m_label->hovering());
    QCOMPARE(m_label->fontColor(), kBlue);
    QCOMPARE(m_label->cursor().shape(), Qt::WaitCursor);

    // Enabled again: entering finds it still hovering and saves nothing new; the next
    // leave restores what was saved at the first entry.
    m_label->setLinkEnabled(true);
    enter(m_label);
    QCOMPARE(m_label->savedColor(), kBlack);
    leave(m_label);
    QVERIFY(!m_label->hovering());
    QCOMPARE(m_label->fontColor(), kBlack);
    QVERIFY(!m_label->testAttribute(Qt::WA_SetCursor));
}

void TestSuperLab::arrowLinkCursorOnlyChangesColour()
{
    m_label->setLinkCursor(QCursor(Qt::ArrowCursor));
    enter(m_label);
    QCOMPARE(m_label->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(m_label->fontColor(), kBlue);
    leave(m_label);
    QCOMPARE(m_label->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(m_label->fontColor(), kBlack);
}

void TestSuperLab::repeatedEnterSavesOnce()
{
    enter(m_label);
    enter(m_label);
    QCOMPARE(m_label->savedColor(), kBlack);
    leave(m_label);
    leave(m_label);
    QCOMPARE(m_label->fontColor(), kBlack);
    QVERIFY(!m_label->hovering());
}

void TestSuperLab::click_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("clicks");

    QTest::newRow("left, inside") << Qt::LeftButton << QPoint(20, 10) << 1;
    QTest::newRow("left, released outside") << Qt::LeftButton << QPoint(200, 10) << 0;
    QTest::newRow("right") << Qt::RightButton << QPoint(20, 10) << 0;
}

void TestSuperLab::click()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, clicks);

    QSignalSpy spy(m_label, &TSuperLab::clicked);
    QTest::mousePress(m_label, button, {}, QPoint(10, 10));
    QTest::mouseRelease(m_label, button, {}, releaseAt);
    QCOMPARE(spy.size(), clicks);
}

QTEST_MAIN(TestSuperLab)
#include "tst_superlab.moc"
