#pragma once
// Shows the single instance of each generator dialog: created afresh when
// closed, only brought to the front when already open.

namespace quill::dialogs {

void showFrmFlag();
void showFrmBatch();
void showFrmCasino();
void showFrmRef();

}  // namespace quill::dialogs
