#pragma once

#include "ui/platform/main_window.h"

#include <QString>

class QLabel;

// Shows a picture full size (or scaled to the screen) in a borderless window on top. A click or a
// key that types a character closes it and gives the window that opened it its input back.
class PictureViewer : public SecondaryWindow {
    Q_OBJECT
public:
    explicit PictureViewer(const QString& path);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_picture = nullptr;
};

// Opens the viewer over a window for the picture at `path`; a picture that does not decode opens nothing.
void openPictureViewer(QWidget* opener, const QString& path);
