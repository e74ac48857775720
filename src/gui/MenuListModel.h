#pragma once

#include "menu/ItemList.h"

#include <QAbstractListModel>

// The menu's entries as the window's list shows them: one row per entry, its display name.
// The paths stay in the same entries, so names and paths cannot fall out of step.
class MenuListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit MenuListModel(lb::ItemList& menu, QObject* parent = nullptr)
        : QAbstractListModel(parent), menu_(menu) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    lb::ItemList& Menu() { return menu_; }
    // Tells the views that the entries changed as a whole.
    void Refresh();

  private:
    lb::ItemList& menu_;
};
