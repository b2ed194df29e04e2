#pragma once
// The rows of the age table (年齢早見表) as a table model: one row per year of birth from
// 明治元年 up to the reference year, newest first, all or those of one branch. The texts of a
// row come from the engine when the row is first wanted; the cells, the clipboard, the CSV file
// and the printout all read them through rowTexts.

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <vector>

#include "yorvane/agetable.h"

namespace yorvane {

inline const QString kAgeTableTitle = QStringLiteral("年齢早見表");

class AgeTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit AgeTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const AgeTableOptions& options() const { return options_; }
    void setOptions(const AgeTableOptions& options);
    // Only the years of one branch (its slot, as in the sign tables); -1 for every year.
    void setBranchFilter(int slot);
    int branchFilter() const { return branch_; }

    // The year of a shown row, and the row of a year (-1 when it is not shown).
    int yearAt(int row) const;
    int rowOf(int year) const;
    // Every text of a shown row, in the order of the columns; empty for no such row.
    QStringList rowTexts(int row) const;
    QString cell(int row, int column) const;
    QString cell(int row, AgeColumn column) const { return cell(row, static_cast<int>(column)); }
    static QStringList titles();

private:
    void rebuild();
    // The texts of a shown row from the cache, made there when first wanted.
    const QStringList& texts(int row) const;

    AgeTableOptions options_;
    int branch_ = -1;
    std::vector<int> years_;                 // newest first
    mutable QHash<int, QStringList> cache_;  // year -> its texts, filled as rows are wanted
};

}  // namespace yorvane
