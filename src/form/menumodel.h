// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <optional>
#include <vector>

struct MenuSubItem {
    QString text;
    QString key;
};

// One row of the menu list. A main-menu row carries its caption and key on its one sub-item
// (shown in the second column); a folder-listing row carries them itself.
struct MenuRow {
    QString text;
    QString key;
    int icon = 0; // 0 none, 1 folder, 2 media file
    std::optional<QColor> colour;
    std::vector<MenuSubItem> subItems;

    bool isMainMenuRow() const { return !subItems.empty(); }
    // What every reader of the list goes by: the sub-item's key on a main-menu row.
    QString rowKey() const { return isMainMenuRow() ? subItems.front().key : key; }
};

// Rows are replaced all at once, so a folder of any size fills the list with one reset.
class MenuModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The pictures of icons 1 and 2.
    void setImageList(const QPixmap& folder, const QPixmap& media);
    void setRows(std::vector<MenuRow> rows);
    const std::vector<MenuRow>& rows() const { return m_rows; }
    const MenuRow& row(int index) const { return m_rows.at(std::size_t(index)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<MenuRow> m_rows;
    QIcon m_folderIcon;
    QIcon m_mediaIcon;
};
