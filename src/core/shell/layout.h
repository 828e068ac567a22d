#pragma once
// The main window's layout rule, in twips. Only the editor's size is derived
// from the client area; the left pane follows what the editor reports.

namespace quill::layout {

inline constexpr int kEditorLeft = 2280;
inline constexpr int kEditorTop = 840;
inline constexpr int kMinEditorHeight = 15;
inline constexpr int kChromeHeight = 1115;  // toolbar, picker row and status bar
inline constexpr int kPaneGap = 100;

int editorWidth(int clientWidth, int listWidth);
int editorHeight(int clientHeight);

}  // namespace quill::layout
