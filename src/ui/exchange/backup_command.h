#pragma once

class QWidget;

// Copies the whole book, as last saved, to a file the user names, and on request every picture into
// exp_img beside it, the layout an import reads. The book itself is not touched.
void backUpRecipes(QWidget* parent);
