#pragma once

namespace res {

/// Makes the compiled-in templates (100, 102) and menu (131) and icon 128 available to
/// wxXmlResource. Needs a running wxApp (or wxEntryStart); calling it again does nothing.
void InstallViewerResources();

}  // namespace res
