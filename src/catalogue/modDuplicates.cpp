#include "catalogue/modDuplicates.h"

#include <QListWidget>

#include "shell/maxEdit.h"

namespace quill::modDuplicates {

void GetMenuTitles(QListWidget* list, maxEdit* editor) {
    list->clear();
    list->addItem(QStringLiteral("--Menu Headers--"));
    int found = 0;
    for (int n = 0; n < editor->LineCount(); ++n) {
        const QString line = editor->GetLineText(n);
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            list->addItem(line);
            ++found;
        }
    }
    if (found == 0) list->addItem(QStringLiteral("None Found"));
}

bool FindDuplicateMenus(QListWidget*) { return false; }

}  // namespace quill::modDuplicates
