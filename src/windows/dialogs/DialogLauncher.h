#pragma once
// Shows the single instance of each generator dialog: created afresh when
// closed, only brought to the front when already open. Each writes into the
// script of `host`.

namespace quill {
class ScriptHost;
}

namespace quill::dialogs {

void showFrmFlag(ScriptHost* host);
void showFrmBatch(ScriptHost* host);
void showFrmCasino(ScriptHost* host);
void showFrmRef(ScriptHost* host);

}  // namespace quill::dialogs
