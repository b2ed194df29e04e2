#include "agetable_model.h"

#include <algorithm>
#include <functional>

#include "u16text.h"
#include "yorvane/sexagenary.h"

namespace yorvane {

namespace {
QString columnTip(int column) {
    static const QString risshun = QStringLiteral(
        "は立春（2月4日ごろ）で変わります。立春より前（1月1日〜2月3日ごろ）に生まれた人は、"
        "前の年の");
    switch (static_cast<AgeColumn>(column)) {
        case AgeColumn::EraYears:
            return QStringLiteral("その年に使われた元号。改元の年は二つの元号を示します。");
        case AgeColumn::Imperial: return QStringLiteral("皇紀（西暦 + 660）");
        case AgeColumn::Sign:
            return QStringLiteral("干支") + risshun + QStringLiteral("干支になります。");
        case AgeColumn::NineStar:
            return QStringLiteral("九星") + risshun + QStringLiteral("九星になります。");
        case AgeColumn::FullAge: return QStringLiteral("基準年の誕生日に迎える年齢");
        case AgeColumn::CountedAge:
            return QStringLiteral("生まれた年を1歳とし、元日ごとに1歳を加える数え方");
        case AgeColumn::UnluckyYear:
            return QStringLiteral(
                "基準年の厄年（数え年で数えます）。神社によっては元日ではなく節分を境に年を"
                "数えます。");
        case AgeColumn::Longevity:
            return QStringLiteral("基準年に迎える長寿祝い（還暦は満60歳の年）");
        case AgeColumn::ElementaryEntry: return QStringLiteral("4月に入学する年");
        case AgeColumn::JuniorHighEntry:
            return QStringLiteral("4月に入学する年（3月に小学校を卒業する年）");
        case AgeColumn::HighEntry:
            return QStringLiteral("4月に入学する年（3月に中学校を卒業する年）");
        case AgeColumn::HighGraduation:
            return QStringLiteral("3月に卒業する年（4月に大学・短大・専門学校に入学する年）");
        case AgeColumn::CollegeGraduation:
            return QStringLiteral("短期大学・専門学校（2年制）を3月に卒業する年");
        case AgeColumn::UniversityGraduation: return QStringLiteral("3月に卒業する年");
        default: return {};
    }
}

}  // namespace

AgeTableModel::AgeTableModel(QObject* parent) : QAbstractTableModel(parent) {}

int AgeTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(years_.size());
}

int AgeTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kAgeColumnCount;
}

const QStringList& AgeTableModel::texts(int row) const {
    static const QStringList none;
    const int year = yearAt(row);
    if (year == 0) return none;
    auto it = cache_.constFind(year);
    if (it == cache_.constEnd()) {
        QStringList texts;
        texts.reserve(kAgeColumnCount);
        for (const auto& c : ageTableRow(year, options_).cells) texts << qs(c);
        it = cache_.insert(year, texts);
    }
    return *it;
}

QStringList AgeTableModel::rowTexts(int row) const { return texts(row); }

QString AgeTableModel::cell(int row, int column) const {
    const QStringList& t = texts(row);
    return column >= 0 && column < t.size() ? t[column] : QString();
}

QVariant AgeTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole: return cell(index.row(), index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(
                Qt::Alignment(Qt::AlignVCenter) |
                (ageColumnIsNumber(index.column()) ? Qt::AlignRight : Qt::AlignLeft));
        default: return {};
    }
}

QVariant AgeTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        if (role == Qt::DisplayRole) return yearAt(section);
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole: return qs(ageColumnTitle(section));
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole: return columnTip(section);
        default: return {};
    }
}

QStringList AgeTableModel::titles() {
    QStringList t;
    for (int c = 0; c < kAgeColumnCount; ++c) t << qs(ageColumnTitle(c));
    return t;
}

void AgeTableModel::setOptions(const AgeTableOptions& options) {
    beginResetModel();
    options_ = options;
    rebuild();
    endResetModel();
}

void AgeTableModel::setBranchFilter(int slot) {
    beginResetModel();
    branch_ = slot >= 0 && slot < 12 ? slot : -1;
    rebuild();
    endResetModel();
}

void AgeTableModel::rebuild() {
    cache_.clear();
    years_.clear();
    const int count = ageTableRowCount(options_.reference);
    years_.reserve(static_cast<std::size_t>(branch_ < 0 ? count : count / 12 + 1));
    for (int y = options_.reference; y > options_.reference - count; --y)
        if (branch_ < 0 || signSlot(y, 12) == static_cast<std::size_t>(branch_))
            years_.push_back(y);
}

int AgeTableModel::yearAt(int row) const {
    return row >= 0 && row < static_cast<int>(years_.size()) ? years_[static_cast<std::size_t>(row)]
                                                             : 0;
}

int AgeTableModel::rowOf(int year) const {
    const auto it = std::lower_bound(years_.begin(), years_.end(), year, std::greater<int>());
    return it != years_.end() && *it == year ? static_cast<int>(it - years_.begin()) : -1;
}

}  // namespace yorvane
