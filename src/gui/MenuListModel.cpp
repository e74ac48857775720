#include "gui/MenuListModel.h"

int MenuListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(menu_.entries.size());
}

QVariant MenuListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const lb::MenuEntry& entry = menu_.entries[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole) return QString::fromStdString(entry.name);
    if (role == Qt::ToolTipRole) return QString::fromStdString(entry.path);
    return {};
}

void MenuListModel::Refresh() {
    beginResetModel();
    endResetModel();
}
