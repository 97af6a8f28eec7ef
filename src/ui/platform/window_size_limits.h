#pragma once

class QWidget;

// Holds a window between a minimum and a maximum size. Limits are given in twips and kept in
// pixels (nearest, halves to even); they apply through the window's minimum and maximum size.
class WindowSizeLimits {
public:
    // Twips per pixel of each axis; 0 takes them from the window's screen at attach.
    explicit WindowSizeLimits(double twipsPerPixelX = 0, double twipsPerPixelY = 0);
    ~WindowSizeLimits();

    void attach(QWidget* window);
    void setMinWidth(int twips);
    void setMinHeight(int twips);
    void setMaxWidth(int twips);
    void setMaxHeight(int twips);
    // Move the window one pixel right and give it the maximum (or minimum) size.
    void resizeToMax();
    void resizeToMin();

    int minWidthPx() const { return m_minWidth; }
    int minHeightPx() const { return m_minHeight; }
    int maxWidthPx() const { return m_maxWidth; }
    int maxHeightPx() const { return m_maxHeight; }

private:
    void apply();
    void resizeTo(int width, int height);

    QWidget* m_window = nullptr;
    double m_tppX;
    double m_tppY;
    int m_minHeight = 0;
    int m_minWidth = 0;
    int m_maxHeight;
    int m_maxWidth;
};
