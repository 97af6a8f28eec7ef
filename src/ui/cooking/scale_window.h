#pragma once

#include "core/cooking/scaling.h"
#include "ui/platform/main_window.h"

#include <optional>

class FactorBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

// Asks how much of a recipe the cook will make: by a factor (1/2, 2, 1 1/2 ...) or, when its yield
// holds a number ("Serves 4", "Makes 24 cookies"), for a number of servings or pieces. The browse
// window stays shown behind it and shows the recipe scaled once the cook has chosen.
class ScaleWindow : public SecondaryWindow {
    Q_OBJECT
public:
    // The recipe's title and yield as typed, and the factor it is shown with now.
    ScaleWindow(const QString& title, const QString& yield, double factor);

signals:
    // 1 shows the recipe as typed.
    void scaleChosen(double factor);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void layOut();
    void applyTexts();
    // The factor of the chosen option, if what is typed there is one.
    std::optional<double> chosenFactor() const;
    void chooseOption(bool byServings);
    void showPreview();
    void showScaled();
    void showAsTyped();

    QString m_title;
    QString m_yield;
    YieldCount m_yieldCount;
    QLabel* m_recipeLabel = nullptr;
    QLabel* m_yieldLabel = nullptr;
    QRadioButton* m_byFactorOption = nullptr;
    FactorBox* m_factorBox = nullptr;
    QRadioButton* m_forServingsOption = nullptr;
    QSpinBox* m_servingsBox = nullptr;
    QLabel* m_previewLabel = nullptr;
    QPushButton* m_showScaledButton = nullptr;
    QPushButton* m_asWrittenButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
