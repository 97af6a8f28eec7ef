#include "windows/editor/frm_img_view.h"

#include "app/app_state.h"
#include "app/window_model.h"
#include "platform/picture.h"
#include "platform/screen_metrics.h"
#include "platform/twips.h"
#include "windows/editor/picture_fit.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

FrmImgView::FrmImgView(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("SP"));
    imgFullSize = new QLabel(this);
    imgFullSize->setScaledContents(true);
    imgFullSize->setAttribute(Qt::WA_TransparentForMouseEvents); // a click on the picture closes too
    Form_Load();
}

void FrmImgView::Form_Load()
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
    imgFullSize->setPixmap(picture.pixmap);
    imgFullSize->setGeometry(0, 0, size.width(), size.height());
    setFixedSize(size);
    move(twipsToPixels(g.left, tx), twipsToPixels(g.top, ty));
}

void FrmImgView::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    close();
}

void FrmImgView::keyPressEvent(QKeyEvent* event)
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

void FrmImgView::closeEvent(QCloseEvent* event)
{
    imgFullSize->clear();
    event->accept();
    returnFromSecondaryWindow();
}

void openImageViewer(MainWindowBase* opener, const QString& path)
{
    // A picture that does not decode has nothing to show: no empty viewer over a disabled window.
    if (loadPicture(path).isNull())
        return;
    app().viewImagePath = path;
    auto* viewer = new FrmImgView;
    openSecondaryWindow(viewer, opener);
    viewer->activateWindow();
    viewer->setFocus();
}
