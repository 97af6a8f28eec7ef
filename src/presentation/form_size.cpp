#include "presentation/form_size.h"

#include "platform/screen_metrics.h"
#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

cFormSize::cFormSize(double twipsPerPixelX, double twipsPerPixelY)
    : m_tppX(twipsPerPixelX > 0 ? twipsPerPixelX : ::twipsPerPixelX()),
      m_tppY(twipsPerPixelY > 0 ? twipsPerPixelY : ::twipsPerPixelY())
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize(1024, 768);
    m_maxWidth = size.width();
    m_maxHeight = size.height();
}

cFormSize::~cFormSize() = default;

void cFormSize::Init(QWidget* window)
{
    m_window = window;
    apply();
}

void cFormSize::MinWidth(int twips)
{
    m_minWidth = twipsToPixels(twips, m_tppX);
    apply();
}

void cFormSize::MinHeight(int twips)
{
    m_minHeight = twipsToPixels(twips, m_tppY);
    apply();
}

void cFormSize::MaxWidth(int twips)
{
    m_maxWidth = twipsToPixels(twips, m_tppX);
    apply();
}

void cFormSize::MaxHeight(int twips)
{
    m_maxHeight = twipsToPixels(twips, m_tppY);
    apply();
}

void cFormSize::apply()
{
    if (!m_window)
        return;
    m_window->setMinimumSize(m_minWidth, m_minHeight);
    m_window->setMaximumSize(m_maxWidth, m_maxHeight);
}

void cFormSize::resizeTo(int width, int height)
{
    if (!m_window)
        return;
    m_window->move(m_window->x() + 1, m_window->y());
    m_window->resize(width, height);
}

void cFormSize::ResizeToMax()
{
    resizeTo(m_maxWidth, m_maxHeight);
}

void cFormSize::ResizeToMin()
{
    resizeTo(m_minWidth, m_minHeight);
}
