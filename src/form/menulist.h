// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form/menumodel.h"

#include <QTreeView>

// The one big list of the screen (LsvMenu): the main menu or the listing of a folder.
class MenuList : public QTreeView {
    Q_OBJECT
public:
    explicit MenuList(QWidget* parent);

    MenuModel& rows() { return m_model; }
    const MenuModel& rows() const { return m_model; }

    // Replaces every row; the first row is highlighted, as in any freshly filled list.
    void setRows(std::vector<MenuRow> rows);

    // The highlighted row, counted from 0; -1 when none.
    int selectedRow() const;
    void selectRow(int row);

    void setColumnWidthsTwips(double first, double second);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MenuModel m_model;
    QPixmap m_backgroundPicture;
};
