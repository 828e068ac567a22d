#include "catalogue/HeaderList.h"

#include <algorithm>

namespace quill {
namespace {

// The line start of the rows that stand for no line: the title and "None Found".
constexpr std::size_t kNoLine = ~std::size_t{0};

}  // namespace

HeaderRows::HeaderRows(QObject* parent) : QAbstractListModel(parent) {
    const std::string_view title[] = {catalogue::kMenuHeaders};
    const std::size_t none[] = {kNoLine};
    splice(0, 0, title, none);
}

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

void HeaderRows::refresh(const textfile::ChangedLines& changed) {
    // The header rows are rows 1 on, in the order of their lines; without
    // any, row 1 is "None Found". The rows of the changed lines go, and the
    // headers found in those lines now take their place.
    const bool noHeaders = starts_.size() < 2 || starts_[1] == kNoLine;
    std::size_t at = 1, end = starts_.size();
    if (!changed.whole && !noHeaders) {
        at = static_cast<std::size_t>(std::lower_bound(starts_.begin() + 1, starts_.end(), changed.from) -
                                      starts_.begin());
        end = static_cast<std::size_t>(
            std::lower_bound(starts_.begin() + 1, starts_.end(), changed.from + changed.oldSize) - starts_.begin());
    }
    std::vector<std::string_view> rows;
    std::vector<std::size_t> starts;
    for (const auto& [run, offset] : {std::pair{changed.text.head, changed.from},
                                      {changed.text.tail, changed.from + changed.text.head.size()}})
        for (const std::string_view header : catalogue::scanHeaders(run)) {
            rows.push_back(header);
            starts.push_back(offset + static_cast<std::size_t>(header.data() - run.data()));
        }
    if (rows.empty() && end - at == starts_.size() - 1) {
        rows.push_back(catalogue::kNoHeadersRow);
        starts.push_back(kNoLine);
    }
    const auto size = changed.text.head.size() + changed.text.tail.size();
    replaceRows(at, end - at, rows, starts,
                static_cast<std::ptrdiff_t>(size) - static_cast<std::ptrdiff_t>(changed.oldSize));
}

void HeaderRows::replaceRows(std::size_t at, std::size_t count, std::span<const std::string_view> rows,
                             std::span<const std::size_t> starts, std::ptrdiff_t shift) {
    // As many rows as both have are rewritten in place, and drawn again where
    // their text changed; the rest of the old ones go, or the rest of the new
    // ones come.
    const std::size_t rewritten = std::min(count, rows.size());
    std::size_t firstChanged = rewritten, lastChanged = 0;
    for (std::size_t i = 0; i < rewritten; ++i)
        if (rows[i] != row(static_cast<int>(at + i))) {
            firstChanged = std::min(firstChanged, i);
            lastChanged = i;
        }
    splice(at, rewritten, rows.first(rewritten), starts.first(rewritten));
    if (firstChanged < rewritten) {
        duplicates_.reset();
        emit dataChanged(index(static_cast<int>(at + firstChanged)), index(static_cast<int>(at + lastChanged)),
                         {Qt::DisplayRole});
    }
    const int from = static_cast<int>(at + rewritten);
    if (count > rewritten) {
        duplicates_.reset();
        beginRemoveRows({}, from, static_cast<int>(at + count) - 1);
        splice(at + rewritten, count - rewritten, {}, {});
        endRemoveRows();
    } else if (rows.size() > rewritten) {
        duplicates_.reset();
        beginInsertRows({}, from, static_cast<int>(at + rows.size()) - 1);
        splice(at + rewritten, 0, rows.subspan(rewritten), starts.subspan(rewritten));
        endInsertRows();
    }
    for (std::size_t i = at + rows.size(); i < starts_.size(); ++i)
        if (starts_[i] != kNoLine) starts_[i] = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(starts_[i]) + shift);
}

void HeaderRows::splice(std::size_t at, std::size_t count, std::span<const std::string_view> rows,
                        std::span<const std::size_t> starts) {
    const std::size_t from = at == 0 ? 0 : ends_[at - 1];
    const std::size_t to = count == 0 ? from : ends_[at + count - 1];
    // A few rows are counted in and out one by one; many, all over again.
    const bool many = count + rows.size() > 64 + ends_.size() / 64;
    if (!many)
        for (std::size_t i = at; i < at + count; ++i) tally(row(static_cast<int>(i)), false);
    std::string bytes;
    std::vector<std::size_t> ends;
    ends.reserve(rows.size());
    for (std::string_view r : rows) {
        if (!many) tally(r, true);
        bytes.append(r);
        ends.push_back(from + bytes.size());
    }
    bytes_.replace(from, to - from, bytes);
    const auto place = [at](auto& v) { return v.begin() + static_cast<std::ptrdiff_t>(at); };
    ends_.erase(place(ends_), place(ends_) + static_cast<std::ptrdiff_t>(count));
    ends_.insert(place(ends_), ends.begin(), ends.end());
    starts_.erase(place(starts_), place(starts_) + static_cast<std::ptrdiff_t>(count));
    starts_.insert(place(starts_), starts.begin(), starts.end());
    // The rows after the place keep their bytes, which moved with the change of length.
    for (std::size_t i = at + rows.size(); i < ends_.size(); ++i) ends_[i] = ends_[i] - to + from + bytes.size();
    if (many) tallyAll();
}

void HeaderRows::tally(std::string_view row, bool added) {
    const std::size_t hash = std::hash<std::string_view>{}(row);
    const auto at = std::lower_bound(hashes_.begin(), hashes_.end(), hash);
    if (added) {
        if (at != hashes_.end() && *at == hash) ++repeatedHashes_;
        hashes_.insert(at, hash);
        return;
    }
    if (at + 1 != hashes_.end() && at[1] == hash) --repeatedHashes_;
    hashes_.erase(at);
}

void HeaderRows::tallyAll() {
    hashes_.clear();
    hashes_.reserve(ends_.size());
    for (int i = 0; i < rowCount(); ++i) hashes_.push_back(std::hash<std::string_view>{}(row(i)));
    std::sort(hashes_.begin(), hashes_.end());
    repeatedHashes_ = 0;
    for (std::size_t i = 1; i < hashes_.size(); ++i) repeatedHashes_ += hashes_[i] == hashes_[i - 1] ? 1 : 0;
}

const std::vector<catalogue::DuplicateReport>& HeaderRows::duplicates() {
    if (!duplicates_) {
        std::vector<std::string_view> rows;
        if (repeatedHashes_ > 0) {
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
