#pragma once
// How a tree node of the main window carries the description of the
// catalog item it stands for: a pointer in the item's data under
// kDescriptionRole (the tree that made the node owns the description).
#include "common/ItemDescription.h"

#include <QTreeWidgetItem>

inline constexpr int kDescriptionRole = Qt::UserRole + 1;

inline void SetDescription(QTreeWidgetItem* node, const TItemDescription* description)
{
    node->setData(0, kDescriptionRole, QVariant::fromValue(reinterpret_cast<quintptr>(description)));
}

// Null when the node is no item node.
inline const TItemDescription* DescriptionOf(const QTreeWidgetItem* node)
{
    return node ? reinterpret_cast<const TItemDescription*>(node->data(0, kDescriptionRole).value<quintptr>())
                : nullptr;
}
