#include "catalogue/HeaderList.h"

namespace quill {

int HeaderRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ends_.size());
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
    bool same = rows.size() == ends_.size();
    for (std::size_t i = 0; same && i < rows.size(); ++i) same = rows[i] == row(static_cast<int>(i));
    if (same) return;
    beginResetModel();
    bytes_.clear();
    ends_.clear();
    ends_.reserve(rows.size());
    std::size_t size = 0;
    for (std::string_view r : rows) size += r.size();
    bytes_.reserve(size);
    for (std::string_view r : rows) {
        bytes_.append(r);
        ends_.push_back(bytes_.size());
    }
    duplicates_.reset();
    endResetModel();
}

const std::vector<catalogue::DuplicateReport>& HeaderRows::duplicates() {
    if (!duplicates_) {
        std::vector<std::string_view> rows;
        rows.reserve(ends_.size());
        for (int i = 0; i < rowCount(); ++i) rows.push_back(row(i));
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

int HeaderList::currentRow() const { return currentIndex().isValid() ? currentIndex().row() : -1; }

}  // namespace quill
