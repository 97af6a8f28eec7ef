#include "ui/cooking/scale_window.h"

#include "core/cooking/recipe_adjustment.h"
#include "core/text/text_table.h"
#include "ui/cooking/factor_box.h"
#include "ui/platform/color_scheme.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/window_parts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

ScaleWindow::ScaleWindow(const QString& title, const QString& yield, double factor)
    : m_title(title), m_yield(yield), m_yieldCount(findYieldCount(yield))
{
    setObjectName(QStringLiteral("scaleWindow"));
    buildControls();
    layOut();
    tagColor(this, ColorTag::Panel);
    tagColors(ColorTag::Label, m_recipeLabel, m_yieldLabel, m_previewLabel);
    tagColors(ColorTag::Button, m_showScaledButton, m_asWrittenButton, m_cancelButton);
    applyColorScheme(this);
    applyTexts();

    m_factorBox->showFactor(factor);
    if (m_yieldCount.found) {
        // Between a tenth and a hundred times the recipe, as a typed factor may be.
        const double count = m_yieldCount.count;
        m_servingsBox->setRange(std::max(1, int(std::ceil(count * kSmallestScaleFactor))),
                                std::max(1, int(std::floor(count * kLargestScaleFactor))));
        m_servingsBox->setValue(int(std::lround(count * factor)));
    }
    m_servingsBox->setEnabled(m_yieldCount.found);
    m_forServingsOption->setEnabled(m_yieldCount.found);
    // A yield with a number is what cooks think in: "for 6" rather than "× 1 1/2".
    const bool byServings = m_yieldCount.found && std::abs(m_yieldCount.count * factor - m_servingsBox->value()) < 1e-6;
    (byServings ? m_forServingsOption : m_byFactorOption)->setChecked(true);

    // Choosing an option (a click, its access key) goes to its box; typing in a box chooses its option.
    connect(m_byFactorOption, &QRadioButton::clicked, this, [this] { chooseOption(false); });
    connect(m_forServingsOption, &QRadioButton::clicked, this, [this] { chooseOption(true); });
    connect(m_factorBox, &QComboBox::editTextChanged, this, [this] {
        m_byFactorOption->setChecked(true);
        showPreview();
    });
    connect(m_servingsBox, &QSpinBox::valueChanged, this, [this] {
        m_forServingsOption->setChecked(true);
        showPreview();
    });
    connect(m_showScaledButton, &QPushButton::clicked, this, &ScaleWindow::showScaled);
    connect(m_asWrittenButton, &QPushButton::clicked, this, &ScaleWindow::showAsTyped);
    connect(m_cancelButton, &QPushButton::clicked, this, &ScaleWindow::close);
    showPreview();
    if (byServings)
        m_servingsBox->setFocus();
    else
        m_factorBox->setFocus();
    m_servingsBox->selectAll();
    m_factorBox->lineEdit()->selectAll();
}

void ScaleWindow::buildControls()
{
    m_recipeLabel = named(new QLabel(this), "recipeLabel");
    QFont bold = m_recipeLabel->font();
    bold.setBold(true);
    m_recipeLabel->setFont(bold);
    m_yieldLabel = named(new QLabel(this), "yieldLabel");
    m_yieldLabel->setWordWrap(true);
    m_byFactorOption = named(new QRadioButton(this), "byFactorOption");
    m_factorBox = named(new FactorBox(this), "factorBox");
    m_forServingsOption = named(new QRadioButton(this), "forServingsOption");
    m_servingsBox = named(new QSpinBox(this), "servingsBox");
    // An option's access key takes the cook straight to its box; the boxes are where the tab stops.
    for (QRadioButton* option : {m_byFactorOption, m_forServingsOption})
        option->setFocusPolicy(Qt::NoFocus);
    m_previewLabel = named(new QLabel(this), "previewLabel");
    m_previewLabel->setWordWrap(true);
    m_showScaledButton = named(new QPushButton(this), "showScaledButton");
    m_asWrittenButton = named(new QPushButton(this), "asWrittenButton");
    m_cancelButton = named(new QPushButton(this), "cancelButton");
    for (QPushButton* button : {m_showScaledButton, m_asWrittenButton, m_cancelButton})
        button->setAutoDefault(true); // Return presses the button that has the focus
}

void ScaleWindow::layOut()
{
    auto* options = new QGridLayout;
    options->addWidget(m_byFactorOption, 0, 0);
    options->addWidget(m_factorBox, 0, 1);
    options->addWidget(m_forServingsOption, 1, 0);
    options->addWidget(m_servingsBox, 1, 1);
    options->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_showScaledButton);
    buttons->addWidget(m_asWrittenButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_recipeLabel);
    layout->addWidget(m_yieldLabel);
    layout->addSpacing(8);
    layout->addLayout(options);
    layout->addSpacing(8);
    layout->addWidget(m_previewLabel);
    layout->addStretch(1);
    layout->addLayout(buttons);
    layout->setContentsMargins(14, 14, 14, 14);
    resize(std::max(480, sizeHint().width()), sizeHint().height());
}

void ScaleWindow::applyTexts()
{
    setWindowTitle(loadText(TextId::ScaleWindowTitle));
    m_recipeLabel->setText(m_title);
    m_yieldLabel->setText(m_yieldCount.found ? loadText(TextId::ScaleYieldAsTyped).arg(m_yield)
                                             : loadText(TextId::ScaleNoYieldCount));
    m_byFactorOption->setText(loadText(TextId::ScaleByFactorOption));
    m_forServingsOption->setText(loadText(TextId::ScaleForServingsOption));
    // The options stand as the boxes' captions.
    nameAfterCaption(m_factorBox, m_byFactorOption->text());
    nameAfterCaption(m_servingsBox, m_forServingsOption->text());
    m_showScaledButton->setText(loadText(TextId::ShowScaledButton));
    m_asWrittenButton->setText(loadText(TextId::AsWrittenButton));
    m_cancelButton->setText(loadText(TextId::CancelButton));
}

std::optional<double> ScaleWindow::chosenFactor() const
{
    if (m_forServingsOption->isChecked())
        return servingsFactor(m_yield, m_servingsBox->value());
    return m_factorBox->factor();
}

void ScaleWindow::chooseOption(bool byServings)
{
    if (byServings) {
        m_servingsBox->setFocus();
        m_servingsBox->selectAll();
    } else {
        m_factorBox->setFocus();
        m_factorBox->lineEdit()->selectAll();
    }
    showPreview();
}

void ScaleWindow::showPreview()
{
    const std::optional<double> factor = chosenFactor();
    if (!factor)
        m_previewLabel->setText(loadText(TextId::FactorNotUnderstood));
    else if (m_yieldCount.found)
        m_previewLabel->setText(
            loadText(TextId::ScaleShownYield)
                .arg(writeScaleFactor(*factor, language()), scaleYield(m_yield, *factor, language())));
    else
        m_previewLabel->setText(loadText(TextId::ScaleShownFactor).arg(writeScaleFactor(*factor, language())));
}

void ScaleWindow::showScaled()
{
    const std::optional<double> factor = chosenFactor();
    if (!factor) {
        showMessage(loadText(TextId::FactorNotUnderstood));
        m_byFactorOption->setChecked(true);
        chooseOption(false);
        return;
    }
    emit scaleChosen(*factor);
    close();
}

void ScaleWindow::showAsTyped()
{
    emit scaleChosen(1);
    close();
}

void ScaleWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        showScaled(); // from the boxes, which leave Return to their window
        return;
    default:
        SecondaryWindow::keyPressEvent(event);
    }
}
