#pragma once

#include "core/search/folded_search.h"

#include <QAbstractListModel>

// The recipes a folded search found, best first, each shown with where its words were found. A list view
// asks only for the rows it shows, so even a whole large book is shown at once.
class FoundRecipesModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setHits(const QList<FoldedHit>& hits);
    const FoldedHit& hit(int row) const { return m_hits[row]; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QList<FoldedHit> m_hits;
};
