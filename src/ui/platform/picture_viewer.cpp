#include "ui/platform/picture_viewer.h"
#include "core/text/text_table.h"

#include "core/layout/picture_fit.h"
#include "core/layout/twips.h"
#include "ui/platform/picture_loading.h"
#include "ui/platform/screen_metrics.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

PictureViewer::PictureViewer(const QString& path)
    : SecondaryWindow(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("pictureViewer"));
    setWindowTitle(kMessageTitle);
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setScaledContents(true);
    m_picture->setAttribute(Qt::WA_TransparentForMouseEvents); // a click on the picture closes too

    const LoadedPicture picture = loadPicture(path);
    const QSize screen = screenSizeTwips(this);
    const double tx = twipsPerPixelX(this);
    const double ty = twipsPerPixelY(this);
    ViewerGeometry g;
    if (!picture.isNull())
        g = fitImageViewer(screen.width(), screen.height(), picture.twipsWidth, picture.twipsHeight,
                           picture.himetricWidth, picture.himetricHeight);
    else
        g = fitImageViewer(screen.width(), screen.height(), 3000, 2000, 3000, 2000);
    const QSize size(twipsToPixels(g.width, tx), twipsToPixels(g.height, ty));
    m_picture->setPixmap(picture.pixmap);
    m_picture->setGeometry(0, 0, size.width(), size.height());
    setFixedSize(size);
    move(twipsToPixels(g.left, tx), twipsToPixels(g.top, ty));
}

void PictureViewer::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    close();
}

void PictureViewer::keyPressEvent(QKeyEvent* event)
{
    // Keys that type a character close the viewer (Enter, Escape and Backspace among them);
    // arrows and other keys without a character do not.
    if (!event->text().isEmpty()) {
        event->accept();
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PictureViewer::closeEvent(QCloseEvent* event)
{
    m_picture->clear();
    SecondaryWindow::closeEvent(event);
}

void openPictureViewer(QWidget* opener, const QString& path)
{
    if (loadPicture(path).isNull())
        return;
    auto* viewer = new PictureViewer(path);
    viewer->showOver(opener);
    viewer->setFocus();
}
