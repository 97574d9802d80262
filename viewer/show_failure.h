#pragma once

#include <wx/string.h>
#include <wx/window.h>

#include "glossary/glossary_result.h"

/// When `result` failed, shows its Shift-JIS message in a modal message box with the
/// exclamation icon, one OK button and `caption`, over `parent`, and returns once the user has
/// closed it; on success shows nothing. Returns result.Ok().
bool ShowFailure(const GlossaryResult& result, const wxString& caption, wxWindow* parent);
