#pragma once
// The menu-header list and the duplicate-label check.

namespace quill {
class HeaderList;
class maxEdit;

namespace modDuplicates {

// Rebuilds `list` from the headers of `editor`'s script.
void GetMenuTitles(HeaderList* list, maxEdit* editor);
// Reports every pair of equal rows; true when there was one.
bool FindDuplicateMenus(HeaderList* list);

}  // namespace modDuplicates
}  // namespace quill
