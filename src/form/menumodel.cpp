// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/menumodel.h"

namespace {

// The same picture highlighted or not: the list's icons are not tinted on the highlight.
QIcon untinted(const QPixmap& picture)
{
    QIcon icon;
    icon.addPixmap(picture, QIcon::Normal);
    icon.addPixmap(picture, QIcon::Selected);
    return icon;
}

} // namespace

void MenuModel::setImageList(const QPixmap& folder, const QPixmap& media)
{
    m_folderIcon = untinted(folder);
    m_mediaIcon = untinted(media);
}

void MenuModel::setRows(std::vector<MenuRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int MenuModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int MenuModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant MenuModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const MenuRow& r = row(index.row());
    const bool first = index.column() == 0;
    switch (role) {
    case Qt::DisplayRole:
        if (first)
            return r.text;
        return r.subItems.empty() ? QString() : r.subItems.front().text;
    case Qt::ForegroundRole:
        return r.colour ? QVariant(*r.colour) : QVariant();
    case Qt::DecorationRole:
        if (first && r.icon == 1)
            return m_folderIcon;
        if (first && r.icon == 2)
            return m_mediaIcon;
        return {};
    default:
        return {};
    }
}

QVariant MenuModel::headerData(int, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QStringLiteral("Comando");
    return {};
}
