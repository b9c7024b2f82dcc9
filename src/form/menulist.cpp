// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/menulist.h"

#include "form/elements.h"
#include "form/twips.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <cmath>

namespace {

const QColor kTextColour(228, 121, 69);
const QColor kBackground(0, 43, 0);
const QColor kHighlight(49, 106, 197);
constexpr int kIconPixels = 48;

// Horizontal bands of green, as dark as the list at the top and bottom edges and lighter
// towards the middle.
QPixmap makeBackgroundPicture()
{
    constexpr int width = 340;
    constexpr int height = 200;
    constexpr int bands = 10;
    QPixmap picture(width, height);
    QPainter painter(&picture);
    for (int band = 0; band < bands; ++band) {
        const double fromMiddle = std::abs(band - (bands - 1) / 2.0) / ((bands - 1) / 2.0);
        const int green = kBackground.green() + int(std::lround(40 * (1 - fromMiddle)));
        painter.fillRect(0, band * height / bands, width, height / bands, QColor(0, green, 0));
    }
    return picture;
}

// Every row is as tall as the image list's pictures, whether or not it shows one, so the
// rows of a listing stay even.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), kIconPixels + 2));
        return size;
    }
};

} // namespace

MenuList::MenuList(QWidget* parent)
    : QTreeView(parent), m_backgroundPicture(makeBackgroundPicture())
{
    setObjectName(QStringLiteral("LsvMenu"));
    m_model.setImageList(renderSvg(QStringLiteral(":/icons/folder.svg"),
                                   QSize(kIconPixels, kIconPixels), devicePixelRatioF()),
                         renderSvg(QStringLiteral(":/icons/media.svg"),
                                   QSize(kIconPixels, kIconPixels), devicePixelRatioF()));
    setModel(&m_model);
    setFont(screenFont(Face::Sans, 21.75));
    QPalette colours = palette();
    colours.setColor(QPalette::Base, kBackground);
    colours.setColor(QPalette::Text, kTextColour);
    colours.setColor(QPalette::Highlight, kHighlight);
    colours.setColor(QPalette::HighlightedText, Qt::white);
    setPalette(colours);
    setFrameShape(QFrame::NoFrame);
    setHeaderHidden(true);
    header()->setStretchLastSection(false);
    header()->setMinimumSectionSize(0);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setIconSize(QSize(kIconPixels, kIconPixels));
    setItemDelegate(new RowDelegate(this));
    setMouseTracking(true);
}

void MenuList::setRows(std::vector<MenuRow> rows)
{
    m_model.setRows(std::move(rows));
    if (m_model.rowCount() > 0)
        selectRow(0);
}

int MenuList::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void MenuList::selectRow(int row)
{
    const QModelIndex index = m_model.index(row, 0);
    if (!index.isValid())
        return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

void MenuList::setColumnWidthsTwips(double first, double second)
{
    setColumnWidth(0, int(std::lround(std::max(0.0, first) / kTwipsPerPixel)));
    setColumnWidth(1, int(std::lround(std::max(0.0, second) / kTwipsPerPixel)));
}

void MenuList::paintEvent(QPaintEvent* event)
{
    {
        // Over the plain background the viewport has already been filled with.
        QPainter painter(viewport());
        painter.drawPixmap(0, 0, m_backgroundPicture);
    }
    QTreeView::paintEvent(event);
}
