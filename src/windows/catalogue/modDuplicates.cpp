#include "catalogue/modDuplicates.h"
#include "shell/QtText.h"

#include <QItemSelectionModel>
#include <QStringList>
#include <vector>

#include "catalogue/HeaderList.h"
#include "catalogue/headers.h"
#include "shell/Prompter.h"
#include "shell/maxEdit.h"

namespace quill::modDuplicates {

void GetMenuTitles(HeaderList* list, maxEdit* editor) {
    HeaderRows* rows = list->rows();
    // An unchanged script has the rows it had: it is not read again.
    if (rows->textVersion != editor->textVersion()) {
        rows->refresh(editor->takeChangedLines(rows->textVersion));
        rows->textVersion = editor->textVersion();
    }
    // A rebuild empties the list first: the row the user had picked is
    // neither current nor selected any more.
    list->selectionModel()->clear();
}

bool FindDuplicateMenus(HeaderList* list) {
    HeaderRows* rows = list->rows();
    const std::vector<catalogue::DuplicateReport> reports = rows->duplicates();
    if (reports.empty()) return false;

    // The messages are made before the first is shown: the rows may change
    // while one waits for its OK.
    std::vector<QString> texts;
    texts.reserve(reports.size());
    for (const catalogue::DuplicateReport& report : reports)
        texts.push_back(qs(catalogue::duplicateMessage(rows->row(static_cast<int>(report.row)))));

    const QString title = qs(catalogue::kDuplicateTitle);
    for (std::size_t r = 0; r < reports.size(); ++r)
        for (std::size_t n = 0; n < reports[r].times; ++n)
            Prompter::current().tell(list->window(), title, texts[r], QMessageBox::Critical);
    return true;
}

}  // namespace quill::modDuplicates
