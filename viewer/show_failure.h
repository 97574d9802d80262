#pragma once

#include <wx/string.h>
#include <wx/window.h>

#include "glossary/glossary_result.h"

/// The caption of the viewer's message boxes: the main dialog's own.
inline constexpr wchar_t kMessageCaption[] = L"ホシノワ 用語集 Viewer";

/// When `result` failed, shows its Shift-JIS message in a modal message box with the
/// exclamation icon, one OK button and `caption`, over `parent`, and returns once the user has
/// closed it; on success shows nothing. Returns result.Ok().
bool ShowFailure(const GlossaryResult& result, const wxString& caption, wxWindow* parent);
