#pragma once
// The menu-header list and the duplicate-label check.

class QListWidget;

namespace quill {
class maxEdit;

namespace modDuplicates {

// Rebuilds `list` from the headers of `editor`'s script.
void GetMenuTitles(QListWidget* list, maxEdit* editor);
// Reports every pair of equal rows; true when there was one.
bool FindDuplicateMenus(QListWidget* list);

}  // namespace modDuplicates
}  // namespace quill
