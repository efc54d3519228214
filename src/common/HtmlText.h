// Text put into a generated HTML page, so that a path or a name can never end an attribute or
// open a tag.
#pragma once

#include <string>

namespace molbench {

// & < > " and ' as character references.
std::string htmlEscaped(const std::string& text);

}  // namespace molbench
