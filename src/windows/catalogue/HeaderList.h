#pragma once
// The menu-header list box. Its rows live in one run of UTF-8 bytes and
// become text only when a row is drawn, and every row has the height of one
// line, so a script with 200,000 headers costs no item and no measurement
// per row. A refresh replaces only the rows that changed, so the view keeps
// the others as laid out and drawn.

#include <QAbstractListModel>
#include <QListView>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/headers.h"
#include "shell/text_format.h"

namespace quill {

class HeaderRows : public QAbstractListModel {
    Q_OBJECT
public:
    // The title row alone, until the first refresh.
    explicit HeaderRows(QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Row `row`'s bytes, valid until the rows change.
    std::string_view row(int row) const;
    // Brings the rows up to date with the script's `changed` lines. Views
    // attached to the list see the rows of those lines change, go or come,
    // and nothing else.
    void refresh(const textfile::ChangedLines& changed);
    // Rows that equal later rows, as catalogue::findDuplicates tells, worked
    // out once per set of rows.
    const std::vector<catalogue::DuplicateReport>& duplicates();

    // The version of the text the rows were read from (see
    // maxEdit::textVersion), so an unchanged text is not read again.
    std::optional<quint64> textVersion;

private:
    // Puts `rows`, whose lines start at `starts`, in the place of `count`
    // rows from row `at`, and moves the lines of the rows after them by `shift`.
    void replaceRows(std::size_t at, std::size_t count, std::span<const std::string_view> rows,
                     std::span<const std::size_t> starts, std::ptrdiff_t shift);
    void splice(std::size_t at, std::size_t count, std::span<const std::string_view> rows,
                std::span<const std::size_t> starts);
    void tally(std::string_view row, bool added);
    void tallyAll();

    std::string bytes_;
    std::vector<std::size_t> ends_;    // where each row's bytes end
    std::vector<std::size_t> starts_;  // where each header row's line starts in the script
    // The hash of every row, in order, and how many of them equal the one
    // before. While none does, no two rows are equal, and a refresh is
    // spared the check of every row against the others.
    std::vector<std::size_t> hashes_;
    std::size_t repeatedHashes_ = 0;
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

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) override;

private:
    HeaderRows* rows_;
};

}  // namespace quill
