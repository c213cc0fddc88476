#pragma once

// Opening a document or address with the program the desktop associates with
// it, as the Windows shell opens one: handed over, not waited for.

#include <string>

namespace winrules {

enum class DocumentStart { Started, NoOpener, Failed };

// Starts xdg-open from $PATH on `target`, in a session of its own with no
// input, and returns once it runs (an intermediate process that ends at once
// is waited for, so that none is left behind). NoOpener when there is no
// xdg-open; Failed when it could not be started.
DocumentStart openDocument(const std::string& target);

}  // namespace winrules
