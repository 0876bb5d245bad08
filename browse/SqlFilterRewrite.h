#pragma once
// Rewrites a view filter meant for an SQL driver so that it can be evaluated
// here: every SQL(...) call becomes ''=SQL(...), which a local evaluation
// takes as satisfied, leaving only the rest of the filter to decide.

#include <string>
#include <string_view>

// A call counts at the start of the text or after a blank, "|", "(" or "~".
std::string RewriteSqlFilter(std::string_view filter);
