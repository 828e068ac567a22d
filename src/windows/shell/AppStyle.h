#pragma once

namespace quill {

// Gives the application the platform's own style, with one change: the
// overflow arrows of menu bars and toolbars are read from their image files
// only when one is first drawn. Qt reads them in every menu bar's and
// toolbar's constructor, and reading an image file by its name first loads
// every image-format plugin (and the libraries behind them) into a program
// that reads no images; the arrows are drawn only when a bar is too narrow
// for its items.
// Call once, after the QApplication exists and before any window is built.
void installAppStyle();

}  // namespace quill
