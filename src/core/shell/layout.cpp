#include "shell/layout.h"

#include "shell/misc.h"

namespace quill::layout {

int editorWidth(int clientWidth, int listWidth) { return clientWidth - listWidth - kPaneGap; }

int editorHeight(int clientHeight) { return MaxLong(kMinEditorHeight, clientHeight - kChromeHeight); }

}  // namespace quill::layout
