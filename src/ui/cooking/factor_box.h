#pragma once

#include <QComboBox>
#include <optional>

// An editable box offering the usual factors (1/2, 2, 3 ...) and taking any the cook types ("1.25").
class FactorBox : public QComboBox {
    Q_OBJECT
public:
    explicit FactorBox(QWidget* parent = nullptr);

    void showFactor(double factor);
    // The factor shown or typed, if it is one.
    std::optional<double> factor() const;
};
