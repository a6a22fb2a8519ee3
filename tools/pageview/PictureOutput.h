// Where the renderer's picture goes and how it gets there: the output name is checked
// before anything is rendered, and a file is written whole or not at all.
#pragma once

#include <optional>
#include <string>

namespace tools {

// The output for a page: the name given with -o ("-" is standard output), or the page's
// name with ".png" instead of its extension. Empty, with the reason in error, when the
// given name is empty, names a directory or names the page itself.
std::string chooseOutput(const std::string& page, const std::optional<std::string>& given, std::string& error);

// Writes bytes to path through a temporary file in the same folder that is renamed into
// place once complete, so a write that fails part-way leaves neither a truncated file
// nor a damaged older one. The file gets the permissions of a newly created file (or
// keeps those of the file it replaces).
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace tools
