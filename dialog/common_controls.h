// The common controls that templates use (progress bar, animation) are
// registered before any dialog is made; their window objects are in controls/.
#pragma once

namespace kv {

// Registers the common control classes once per process; a template naming
// one of them cannot be created before. Loads the common controls library
// on first use: only the progress dialog needs it, so the wizard's pages
// show without it.
void ensureCommonControls();

}  // namespace kv
