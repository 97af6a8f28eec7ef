#include "ui/search/found_recipes_model.h"

#include "core/text/text_table.h"

void FoundRecipesModel::setHits(const QList<FoldedHit>& hits)
{
    beginResetModel();
    m_hits = hits;
    endResetModel();
}

int FoundRecipesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_hits.size());
}

QVariant FoundRecipesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_hits.size() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const FoldedHit& hit = m_hits[index.row()];
    static constexpr std::pair<FoundPlace, TextId> kPlaces[] = {{FoundInTitle, TextId::FoundPlaceTitle},
                                                                {FoundInIngredients, TextId::FoundPlaceIngredients},
                                                                {FoundInPreparation, TextId::FoundPlacePreparation},
                                                                {FoundInNotes, TextId::FoundPlaceNotes}};
    QStringList places;
    for (const auto& [place, name] : kPlaces) {
        if (hit.places & place)
            places << loadText(name);
    }
    if (places.isEmpty())
        return hit.title;
    // Where on a line of its own, so that a narrow list shows it whole.
    return hit.title + u'\n' + loadText(TextId::FoundRecipeWhere).arg(places.join(QStringLiteral(", ")));
}
