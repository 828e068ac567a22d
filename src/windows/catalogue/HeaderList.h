#pragma once
// The menu-header list box. Its rows live in one run of UTF-8 bytes and
// become text only when a row is drawn, and every row has the height of one
// line, so a script with 200,000 headers costs a refresh the copy of their
// bytes, not an item and a measurement each.

#include <QAbstractListModel>
#include <QListView>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/headers.h"

namespace quill {

class HeaderRows : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Row `row`'s bytes, valid until the rows change.
    std::string_view row(int row) const;
    // Makes `rows` the rows; views attached to the list see a reset only
    // when they differ from the rows already shown.
    void assign(const std::vector<std::string_view>& rows);
    // Rows that equal later rows, as catalogue::findDuplicates tells, worked
    // out once per set of rows.
    const std::vector<catalogue::DuplicateReport>& duplicates();

    // The version of the text the rows were read from (see
    // maxEdit::textVersion), so an unchanged text is not read again.
    std::optional<std::uint64_t> textVersion;

private:
    std::string bytes_;
    std::vector<std::size_t> ends_;  // where each row's bytes end
    std::optional<std::vector<catalogue::DuplicateReport>> duplicates_;
};

class HeaderList : public QListView {
    Q_OBJECT
public:
    explicit HeaderList(QWidget* parent);
    HeaderRows* rows() const { return rows_; }
    int count() const { return rows_->rowCount(); }
    // The current row, -1 when there is none.
    int currentRow() const;

private:
    HeaderRows* rows_;
};

}  // namespace quill
