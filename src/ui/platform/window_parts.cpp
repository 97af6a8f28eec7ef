#include "ui/platform/window_parts.h"

#include "ui/platform/screen_metrics.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>

QWidget* makeCentralWidget(QMainWindow* window, QObject* resizeWatcher)
{
    auto* central = new QWidget(window);
    window->setCentralWidget(central);
    central->installEventFilter(resizeWatcher);
    return central;
}

void makeHeading(QWidget* parent, QLabel* (&labels)[2])
{
    for (QLabel*& label : labels) {
        label = new QLabel(parent);
        QFont font(QStringLiteral("Verdana"));
        font.setPointSize(18);
        font.setBold(true);
        label->setFont(font);
        label->setIndent(8);
    }
    labels[0]->setObjectName(QStringLiteral("heading"));
    labels[1]->setObjectName(QStringLiteral("headingShadow"));
    labels[1]->raise();
}

QFrame* newFrame(QWidget* parent, bool border)
{
    auto* frame = new QFrame(parent);
    frame->setFrameShape(border ? QFrame::Box : QFrame::NoFrame);
    if (border)
        frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

void placeTwips(QWidget* widget, const TwipRect& r)
{
    const double tx = twipsPerPixelX(widget);
    const double ty = twipsPerPixelY(widget);
    widget->setGeometry(twipsToPixels(r.left, tx), twipsToPixels(r.top, ty), twipsToPixels(r.width, tx),
                        twipsToPixels(r.height, ty));
}

QString withCrLfLineEnds(const QString& text)
{
    QString out = text;
    // A text that already has CR LF (a book that stores its CRs as references) keeps one break each.
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(u'\n', QStringLiteral("\r\n"));
    return out;
}

QString withoutAccessMarks(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

void nameAfterCaption(QWidget* control, const QString& caption)
{
    QString name = withoutAccessMarks(caption).trimmed();
    if (name.endsWith(u':'))
        name.chop(1);
    control->setAccessibleName(name);
    if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(name);
}

void nameControlsAfterCaptions(QWidget* window)
{
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy())
            nameAfterCaption(label->buddy(), label->text());
    }
}

PictureBox makePictureBox(QWidget* parent, QObject* clickWatcher)
{
    PictureBox box{};
    box.frame = named(newFrame(parent, true), "pictureFrame");
    box.frame->setCursor(Qt::PointingHandCursor);
    box.frame->installEventFilter(clickWatcher);
    box.thumbnail = named(new QLabel(box.frame), "thumbnail");
    box.thumbnail->setScaledContents(true);
    box.thumbnail->setAttribute(Qt::WA_TransparentForMouseEvents);
    box.thumbnail->hide();
    box.viewLabel = named(new QLabel(parent), "viewPictureLabel");
    box.viewLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    box.viewLabel->setCursor(Qt::PointingHandCursor);
    box.viewLabel->installEventFilter(clickWatcher);
    return box;
}
