#include "ui/platform/window_size_limits.h"

#include "core/layout/twips.h"
#include "ui/platform/screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

WindowSizeLimits::WindowSizeLimits(double twipsPerPixelX, double twipsPerPixelY)
    : m_tppX(twipsPerPixelX > 0 ? twipsPerPixelX : ::twipsPerPixelX()),
      m_tppY(twipsPerPixelY > 0 ? twipsPerPixelY : ::twipsPerPixelY())
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize(1024, 768);
    m_maxWidth = size.width();
    m_maxHeight = size.height();
}

WindowSizeLimits::~WindowSizeLimits() = default;

void WindowSizeLimits::attach(QWidget* window)
{
    m_window = window;
    apply();
}

void WindowSizeLimits::setMinWidth(int twips)
{
    m_minWidth = twipsToPixels(twips, m_tppX);
    apply();
}

void WindowSizeLimits::setMinHeight(int twips)
{
    m_minHeight = twipsToPixels(twips, m_tppY);
    apply();
}

void WindowSizeLimits::setMaxWidth(int twips)
{
    m_maxWidth = twipsToPixels(twips, m_tppX);
    apply();
}

void WindowSizeLimits::setMaxHeight(int twips)
{
    m_maxHeight = twipsToPixels(twips, m_tppY);
    apply();
}

void WindowSizeLimits::apply()
{
    if (!m_window)
        return;
    m_window->setMinimumSize(m_minWidth, m_minHeight);
    m_window->setMaximumSize(m_maxWidth, m_maxHeight);
}

void WindowSizeLimits::resizeTo(int width, int height)
{
    if (!m_window)
        return;
    m_window->move(m_window->x() + 1, m_window->y());
    m_window->resize(width, height);
}

void WindowSizeLimits::resizeToMax()
{
    resizeTo(m_maxWidth, m_maxHeight);
}

void WindowSizeLimits::resizeToMin()
{
    resizeTo(m_minWidth, m_minHeight);
}
