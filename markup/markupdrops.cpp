#include "markupdrops.h"

#include <algorithm>

QVector<DroppedMarkup> MarkupDrops::sorted() const
{
    QVector<DroppedMarkup> dropped;
    for (auto count = m_counts.constBegin(); count != m_counts.constEnd(); ++count)
        dropped.append({DroppedMarkup::Kind(count.key().first), count.key().second, count.value()});
    std::sort(dropped.begin(), dropped.end(), [](const DroppedMarkup &a, const DroppedMarkup &b) {
        return a.kind != b.kind ? a.kind < b.kind : a.name < b.name;
    });
    return dropped;
}
