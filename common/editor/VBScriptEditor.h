#pragma once
// The look of the system's VBScript editors: the VBScript lexer and its
// keywords, the colours of comments, numbers, keywords and strings on white,
// and a 10-point "Lucida Console" default style.

#include "common/editor/ScintillaCtrl.h"

void SetupVBScriptEditor(CScintillaCtrl& editor);
