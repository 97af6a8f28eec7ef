#include "ui/editor/picture_viewer.h"
#include "core/text/text_table.h"

#include "core/app/app_state.h"
#include "core/layout/picture_fit.h"
#include "core/layout/twips.h"
#include "ui/app/window_model.h"
#include "ui/platform/picture_loading.h"
#include "ui/platform/screen_metrics.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

PictureViewer::PictureViewer(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kMessageTitle);
    m_picture = new QLabel(this);
    m_picture->setScaledContents(true);
    m_picture->setAttribute(Qt::WA_TransparentForMouseEvents); // a click on the picture closes too
    loadWindow();
}

void PictureViewer::loadWindow()
{
    const LoadedPicture picture = loadPicture(app().viewImagePath);
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
    event->accept();
    returnFromSecondaryWindow();
}

void openImageViewer(MainWindowBase* opener, const QString& path)
{
    // A picture that does not decode has nothing to show: no empty viewer over a disabled window.
    if (loadPicture(path).isNull())
        return;
    app().viewImagePath = path;
    auto* viewer = new PictureViewer;
    openSecondaryWindow(viewer, opener);
    viewer->activateWindow();
    viewer->setFocus();
}
