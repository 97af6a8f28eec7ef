#pragma once

#include <QWidget>

class QLabel;
class MainWindowBase;

// Shows viewImagePath full size (or scaled to the screen) in a borderless window on top.
// A click or a key that types a character closes it and re-enables the window that opened it.
class PictureViewer : public QWidget {
    Q_OBJECT
public:
    explicit PictureViewer(QWidget* parent = nullptr);

    QLabel* m_picture = nullptr;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void loadWindow();
};

// Opens the viewer over a main window for the picture at `path`.
void openImageViewer(MainWindowBase* opener, const QString& path);
