#pragma once

namespace res {

/// Makes the compiled-in templates (the main dialog, its menu and the about box) and the
/// application icon available to wxXmlResource. Needs a running wxApp (or wxEntryStart); calling it
/// again does nothing.
void InstallViewerResources();

}  // namespace res
