#include "catalogue/HeaderList.h"

#include <algorithm>

namespace quill {

int HeaderRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ends_.size());
}

QModelIndex HeaderRows::index(int row, int column, const QModelIndex& parent) const {
    // The view asks for every row's index when it lays the rows out; this
    // answers without the general checks' calls back into the model.
    const bool valid = row >= 0 && static_cast<std::size_t>(row) < ends_.size() && column == 0 && !parent.isValid();
    return valid ? createIndex(row, 0) : QModelIndex();
}

QVariant HeaderRows::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
    const std::string_view bytes = row(index.row());
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string_view HeaderRows::row(int row) const {
    const std::size_t from = row == 0 ? 0 : ends_[static_cast<std::size_t>(row) - 1];
    return std::string_view(bytes_).substr(from, ends_[static_cast<std::size_t>(row)] - from);
}

void HeaderRows::assign(const std::vector<std::string_view>& rows) {
    const catalogue::RowChange change =
        catalogue::changedRows(ends_.size(), [this](std::size_t i) { return row(static_cast<int>(i)); }, rows);
    if (change.removed == 0 && change.added == 0) return;
    duplicates_.reset();
    // As many rows as both runs have in the changed place are rewritten in
    // place; the rest of the old ones go, or the rest of the new ones come.
    const std::size_t rewritten = std::min(change.removed, change.added);
    const auto fresh = std::span(rows).subspan(change.at, change.added);
    const int at = static_cast<int>(change.at), after = at + static_cast<int>(rewritten);
    if (rewritten > 0) {
        splice(change.at, rewritten, fresh.first(rewritten));
        emit dataChanged(index(at), index(after - 1), {Qt::DisplayRole});
    }
    if (change.removed > rewritten) {
        beginRemoveRows({}, after, at + static_cast<int>(change.removed) - 1);
        splice(change.at + rewritten, change.removed - rewritten, {});
        endRemoveRows();
    } else if (change.added > rewritten) {
        beginInsertRows({}, after, at + static_cast<int>(change.added) - 1);
        splice(change.at + rewritten, 0, fresh.subspan(rewritten));
        endInsertRows();
    }
}

void HeaderRows::splice(std::size_t at, std::size_t count, std::span<const std::string_view> with) {
    const std::size_t from = at == 0 ? 0 : ends_[at - 1];
    const std::size_t to = count == 0 ? from : ends_[at + count - 1];
    for (std::size_t i = at; i < at + count; ++i) tally(row(static_cast<int>(i)), false);
    rowsPerHash_.reserve(rowsPerHash_.size() + with.size());
    std::string bytes;
    std::vector<std::size_t> ends;
    ends.reserve(with.size());
    for (std::string_view r : with) {
        tally(r, true);
        bytes.append(r);
        ends.push_back(from + bytes.size());
    }
    bytes_.replace(from, to - from, bytes);
    const std::size_t next = ends_.size() - count + with.size();
    ends_.erase(ends_.begin() + static_cast<std::ptrdiff_t>(at), ends_.begin() + static_cast<std::ptrdiff_t>(at + count));
    ends_.insert(ends_.begin() + static_cast<std::ptrdiff_t>(at), ends.begin(), ends.end());
    // The rows after the place keep their bytes, which moved with the change of length.
    for (std::size_t i = at + with.size(); i < next; ++i) ends_[i] = ends_[i] - to + from + bytes.size();
}

void HeaderRows::tally(std::string_view row, bool added) {
    const std::size_t hash = std::hash<std::string_view>{}(row);
    if (added) {
        if (++rowsPerHash_[hash] == 2) ++sharedHashes_;
        return;
    }
    const auto it = rowsPerHash_.find(hash);
    if (--it->second == 1) --sharedHashes_;
    if (it->second == 0) rowsPerHash_.erase(it);
}

const std::vector<catalogue::DuplicateReport>& HeaderRows::duplicates() {
    if (!duplicates_) {
        std::vector<std::string_view> rows;
        if (sharedHashes_ > 0) {
            rows.reserve(ends_.size());
            for (int i = 0; i < rowCount(); ++i) rows.push_back(row(i));
        }
        duplicates_ = catalogue::findDuplicates(rows);
    }
    return *duplicates_;
}

HeaderList::HeaderList(QWidget* parent) : QListView(parent), rows_(new HeaderRows(this)) {
    setModel(rows_);
    // Every row is one line of the same font: the view need not measure each.
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void HeaderList::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) {
    // A list view lays out all its rows again when any row's text changes.
    // Here every row is as high as the others and as wide as the title row
    // (uniform sizes), so a new text moves no row: the changed rows are
    // only drawn again.
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
}

int HeaderList::currentRow() const { return currentIndex().isValid() ? currentIndex().row() : -1; }

}  // namespace quill
