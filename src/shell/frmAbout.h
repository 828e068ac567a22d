#pragma once
// The About window.

namespace quill {

// Shows the single About window, bringing it to the front when open.
void showFrmAbout();

}  // namespace quill
