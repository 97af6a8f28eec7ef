#include "windows/browse/frm_br.h"

#include "app/app_state.h"
#include "book/book_ops.h"
#include "text/text_table.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>

QString fixLineBreaks(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(u'\n', QStringLiteral("\r\n"));
    return out;
}

FrmBr::FrmBr(QWidget* parent) : MainWindowBase(parent) {
    buildControls();
    Form_Load();
}

void FrmBr::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    for (QLabel*& label : lblBorder) {
        label = new QLabel(central);
        QFont font = label->font();
        font.setPointSize(16);
        font.setBold(true);
        label->setFont(font);
    }
    cboCats = new QComboBox(central);
    lstRecs = new QListWidget(central);
    m_cats = std::make_unique<ComboBoxList>(cboCats);
    m_recs = std::make_unique<ListWidgetList>(lstRecs);

    Label4 = new QLabel(central);
    Label5 = new QLabel(central);
    Label7 = new QLabel(central);
    Label6 = new QLabel(central);
    lblPT = new QLabel(central);
    lblCT = new QLabel(central);
    lblYld = new QLabel(central);
    lblDC = new QLabel(central);
    lblIng = new QLabel(central);
    lblPrep = new QLabel(central);
    lblOther = new QLabel(central);
    for (QPlainTextEdit** box : {&txtIng, &txtPrep, &txtOther}) {
        *box = new QPlainTextEdit(central);
        (*box)->setReadOnly(true);
    }

    auto* details = new QGridLayout;
    int row = 0;
    for (auto [caption, value] :
         {std::pair{Label4, lblPT}, {Label5, lblCT}, {Label7, lblYld}, {Label6, lblDC}}) {
        details->addWidget(caption, row, 0);
        details->addWidget(value, row++, 1);
    }
    auto* left = new QVBoxLayout;
    left->addWidget(cboCats);
    left->addWidget(lstRecs, 1);
    left->addLayout(details);
    auto* right = new QVBoxLayout;
    for (auto [caption, box] : {std::pair{lblIng, txtIng}, {lblPrep, txtPrep}, {lblOther, txtOther}}) {
        right->addWidget(caption);
        right->addWidget(box, 1);
    }
    auto* body = new QHBoxLayout;
    body->addLayout(left, 2);
    body->addLayout(right, 3);
    auto* top = new QVBoxLayout(central);
    top->addWidget(lblBorder[0]);
    top->addLayout(body, 1);
    lblBorder[1]->hide(); // the shadowed heading comes with the colour schemes

    mnuFile = menuBar()->addMenu(QString());
    mnuBrExit = mnuFile->addAction(QString());

    connect(cboCats, &QComboBox::currentIndexChanged, this, &FrmBr::cboCats_Click);
    connect(lstRecs, &QListWidget::currentRowChanged, this, &FrmBr::lstRecs_Click);
    connect(mnuBrExit, &QAction::triggered, this, &FrmBr::exitProgram);
}

void FrmBr::setBrowseCaptions() {
    setWindowTitle(loadText(100));
    lblBorder[0]->setText(loadText(101));
    lblBorder[1]->setText(loadText(101));
    mnuFile->setTitle(loadText(112));
    mnuBrExit->setText(loadText(114));
    lblIng->setText(loadText(102));
    lblPrep->setText(loadText(103));
    lblOther->setText(loadText(104));
    Label4->setText(loadText(108) + u':');
    Label5->setText(loadText(109) + u':');
    Label7->setText(loadText(110) + u':');
    Label6->setText(loadText(111) + u':');
}

void FrmBr::Form_Load() {
    loadMainWindow();
    setBrowseCaptions();
    app().prefsFromAdd = false;
    fillBrCats(app().recipeDoc, *m_cats, *m_recs);
}

void FrmBr::cboCats_Click() {
    clearRecipe();
    if (cboCats->currentIndex() < 0)
        return;
    listBrRecipes(app().recipeDoc, m_cats->itemData(cboCats->currentIndex()), *m_recs);
}

void FrmBr::lstRecs_Click() {
    showBrRecipe();
}

void FrmBr::clearRecipe() {
    for (QLabel* label : {lblPT, lblCT, lblYld, lblDC})
        label->clear();
    for (QPlainTextEdit* box : {txtIng, txtPrep, txtOther})
        box->clear();
}

void FrmBr::showBrRecipe() {
    clearRecipe();
    const int cat = m_cats->currentRow();
    const int rec = m_recs->currentRow();
    if (cat < 0 || rec < 0)
        return;
    const XmlNode category = app().recipeDoc.category(m_cats->itemData(cat));
    const Recipe recipe = RecipeBook::readRecipe(RecipeBook::recipe(category, m_recs->itemData(rec)));
    lblPT->setText(recipe.prepTime);
    lblCT->setText(recipe.cookTime);
    lblYld->setText(recipe.yield);
    lblDC->setText(recipe.date);
    txtIng->setPlainText(fixLineBreaks(recipe.ingredients));
    txtPrep->setPlainText(fixLineBreaks(recipe.preparation));
    txtOther->setPlainText(fixLineBreaks(recipe.notes));
}
