#pragma once
// How the age table draws its cells.

#include <QHash>
#include <QPainter>
#include <QStaticText>
#include <QStyledItemDelegate>

#include "yorvane/agetable.h"

namespace yorvane {

// Draws a cell as its text alone, its layout kept from one paint to the next: the table repaints
// many rows whenever it follows the main window to another year, and most texts recur (the
// stars, the signs, the numbers). The row's background is the view's own.
class CellDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QPalette::ColorGroup group =
            option.state & QStyle::State_Enabled
                ? (option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive)
                : QPalette::Disabled;
        const bool selected = option.state & QStyle::State_Selected;
        if (selected) p->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        const QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty()) return;
        if (cache_.size() > 4096 || cacheFont_ != option.font) {
            cache_.clear();
            cacheFont_ = option.font;
        }
        auto it = cache_.find(text);
        if (it == cache_.end()) {
            QStaticText st(text);
            st.setTextFormat(Qt::PlainText);
            st.prepare(QTransform(), option.font);
            it = cache_.insert(text, st);
        }
        const QRect r = option.rect.adjusted(kMargin, 0, -kMargin, 0);
        const QSizeF size = it->size();
        const double x =
            ageColumnIsNumber(index.column()) ? r.right() + 1 - size.width() : r.left();
        const double y = r.top() + (r.height() - size.height()) / 2.0;
        p->save();
        p->setClipRect(option.rect);
        p->setFont(option.font);
        p->setPen(
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        p->drawStaticText(QPointF(x, y), *it);
        p->restore();
    }

private:
    static constexpr int kMargin = 4;
    mutable QHash<QString, QStaticText> cache_;
    mutable QFont cacheFont_;
};

}  // namespace yorvane
