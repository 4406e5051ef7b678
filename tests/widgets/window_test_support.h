#pragma once

#include "app/drop_down_list.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <functional>

// Input goes through each window's QWindow, as a user's would, so that the
// toolkit's modality applies to it.
namespace test_support {

// The drop-down list of that name in a window.
inline app::DropDownList& dropDownList(const QWidget& window, const char* name)
{
    return *window.findChild<app::DropDownList*>(QString::fromUtf8(name));
}

inline QPoint inWindow(const QWidget& control)
{
    return control.mapTo(control.window(), control.rect().center());
}

inline void pressOn(const QWidget& control, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(control.window()->windowHandle(), button, {}, inWindow(control));
}

inline void releaseOn(const QWidget& control, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseRelease(control.window()->windowHandle(), button, {}, inWindow(control));
}

inline void keyClick(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(window.windowHandle(), key, modifiers);
}

// Runs `inside` from within the modal wait that the caller starts next, once
// the modal window is active; `inside` must close it. Returns a flag that tells whether
// it ran.
inline std::shared_ptr<bool> duringNextModalWait(std::function<void(QWidget& modal)> inside)
{
    auto ran = std::make_shared<bool>(false);
    QTimer::singleShot(0, qApp, [ran, inside] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        *ran = true;
        // Keys go to the active window, as they would for a user.
        if (!QTest::qWaitForWindowActive(modal))
            qWarning("the modal window did not become active");
        inside(*modal);
    });
    return ran;
}

// Text is drawn smoothed, so a pixel counts as ink when it lies nearer to the
// ink's colour than to the paper's.
inline int colourDistance(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue());
}

// How far the pixel lies from the nearest blend of the ink over the paper.
inline double blendResidual(QColor pixel, QColor ink, QColor paper)
{
    const double p[3]{pixel.redF() - paper.redF(), pixel.greenF() - paper.greenF(),
                      pixel.blueF() - paper.blueF()};
    const double d[3]{ink.redF() - paper.redF(), ink.greenF() - paper.greenF(),
                      ink.blueF() - paper.blueF()};
    const double alpha = std::clamp((p[0] * d[0] + p[1] * d[1] + p[2] * d[2]) /
                                        (d[0] * d[0] + d[1] * d[1] + d[2] * d[2]),
                                    0.0, 1.0);
    double residual = 0;
    for (int i = 0; i < 3; ++i)
        residual += (p[i] - alpha * d[i]) * (p[i] - alpha * d[i]);
    return residual;
}

inline bool isInk(QColor pixel, QColor ink, QColor paper)
{
    return colourDistance(pixel, ink) < colourDistance(pixel, paper);
}

inline QRect inkBounds(const QImage& image, QColor ink, QColor paper)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isInk(image.pixelColor(x, y), ink, paper))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

inline int inkCount(const QImage& image, QColor ink, QColor paper)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += isInk(image.pixelColor(x, y), ink, paper) ? 1 : 0;
    return count;
}

// Raised text: a white copy one pixel up and to the left of the coloured one.
// White on light paper is faint, and where the coloured copy covers it at a
// line's right end it hardly shows; so the tops, bottoms and left edges of the
// two copies are compared, each allowed a pixel of smoothing.
inline bool isRaisedCopy(QRect white, QRect coloured)
{
    if (white.isEmpty() || coloured.isEmpty())
        return false;
    const int down = (coloured.top() + coloured.bottom()) - (white.top() + white.bottom());
    const int right = coloured.left() - white.left();
    return down >= 1 && down <= 3 && right >= 0 && right <= 2;
}

inline QImage imageOf(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace test_support
