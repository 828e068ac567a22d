#include "dialogs/DialogLauncher.h"

namespace quill::dialogs {

void showFrmFlag() {}
void showFrmBatch() {}
void showFrmCasino() {}
void showFrmRef() {}

}  // namespace quill::dialogs
