#include "catalogue/modDuplicates.h"
#include "shell/QtText.h"

#include <QListWidget>
#include <QStringList>
#include <vector>

#include "catalogue/headers.h"
#include "shell/Prompter.h"
#include "shell/maxEdit.h"

namespace quill::modDuplicates {
namespace {

int reportsShowing = 0;

}  // namespace

void GetMenuTitles(QListWidget* list, maxEdit* editor) {
    const std::vector<std::string_view> rows = catalogue::headerListRows(editor->bytes());
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(rows.size()));
    for (std::string_view row : rows) texts.append(qs(row));
    list->clear();
    list->addItems(texts);
}

bool FindDuplicateMenus(QListWidget* list) {
    std::vector<QString> rows;
    rows.reserve(static_cast<std::size_t>(list->count()));
    for (int i = 0; i < list->count(); ++i) rows.push_back(list->item(i)->text());
    const auto reports = catalogue::findDuplicates(rows);
    if (reports.empty()) return false;

    ++reportsShowing;
    struct Closing {
        ~Closing() { --reportsShowing; }
    } closing;
    const QString title = qs(catalogue::kDuplicateTitle);
    for (const catalogue::DuplicateReport& report : reports) {
        const QString text = qs(catalogue::duplicateMessage(rows[report.row].toStdString()));
        for (std::size_t n = 0; n < report.times; ++n)
            Prompter::current().tell(list->window(), title, text, QMessageBox::Critical);
    }
    return true;
}

bool ReportShowing() { return reportsShowing > 0; }

}  // namespace quill::modDuplicates
