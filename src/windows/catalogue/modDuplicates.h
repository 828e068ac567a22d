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
// True while a duplicate message is open, so a refresh that comes up in its
// event loop can stay away instead of stacking further messages.
bool ReportShowing();

}  // namespace modDuplicates
}  // namespace quill
