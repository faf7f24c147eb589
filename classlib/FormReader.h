#pragma once
// Reading and writing window descriptions (the text format of classlib/FORMS.md).
#include <string>
#include <string_view>

#include "classlib/FormNode.h"

namespace classlib::forms {

// Reads one description: UTF-8 text, with or without a byte-order mark. Any fault in the text
// raises EFormError whose message begins with the line: "line 12: '=' expected but 'Top' found".
ObjectNode ReadForm(std::string_view text);

// Writes a tree as description text that ReadForm reads back into the same tree (line numbers
// aside). Raises EFormError for what the format cannot hold (an invalid identifier, a float that
// is not finite, an unpaired surrogate).
std::string WriteForm(const ObjectNode& root);

}  // namespace classlib::forms
