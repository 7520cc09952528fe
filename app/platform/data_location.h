#pragma once

#include <QString>

namespace sublumo {

// The directory that holds the database and the settings file: the program's own directory
// while it can be written, otherwise $XDG_DATA_HOME/sublumo (by default
// ~/.local/share/sublumo), created on first use, with a database shipped beside the program
// copied there once.
QString dataDirectory(const QString& programDirectory);

}  // namespace sublumo
