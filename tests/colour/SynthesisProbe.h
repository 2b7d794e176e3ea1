// Reads and drives the controls both synthesis windows share, by their names: the screen
// `Zone`, the three sliders, edits and check boxes.
#pragma once

#include "imaging/PaintBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

struct SynthesisProbe {
    QWidget *window = nullptr;

    kaleno::PaintBox *zone() const
    {
        return window->findChild<kaleno::PaintBox *>(QStringLiteral("Zone"));
    }
    uint32_t zonePixel(QPoint p) const { return zone()->Frame().pixel(p) & 0xFFFFFFu; }
    QScrollBar *bar(const char *name) const
    {
        return window->findChild<QScrollBar *>(QLatin1String(name));
    }
    QString edit(const char *name) const
    {
        return window->findChild<QLineEdit *>(QLatin1String(name))->text();
    }
    QCheckBox *check(const char *name) const
    {
        return window->findChild<QCheckBox *>(QLatin1String(name));
    }
    void drag(QPoint from, QPoint to) const
    {
        QTest::mousePress(zone(), Qt::LeftButton, {}, from);
        QTest::mouseMove(zone(), to);
        QTest::mouseRelease(zone(), Qt::LeftButton, {}, to);
    }
    // delta in eighths of a degree, 120 a notch, turned over `at`.
    void wheel(int delta, QPoint at) const
    {
        const QPointF where(at);
        QWheelEvent event(where, zone()->mapToGlobal(where), {}, QPoint(0, delta), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(zone(), &event);
    }
};
