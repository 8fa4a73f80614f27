#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace vantor {

// An environment variable's value, "" when it is unset.
std::string environmentVariable(const char* name);

// The first of the variables that is set and not empty, "" when none is: as
// the C library picks a locale from LC_ALL, the category's and LANG.
std::string firstSetVariable(std::initializer_list<const char*> names);

// An environment variable holding an absolute path, else "": the XDG rules
// ignore relative paths, which would depend on the working folder.
std::string absolutePathVariable(const char* name);

// $HOME when it is an absolute path, else the account's home folder from the
// password database (as GLib falls back to), else "".
std::string homeFolder();

// The absolute folders of a ':'-separated variable in order, relative entries
// left out; `fallback` when the variable is unset or empty.
std::vector<std::string> absolutePathList(const char* name, const char* fallback);

// The folders of $XDG_DATA_DIRS in order (default /usr/local/share:/usr/share),
// relative entries left out.
std::vector<std::string> xdgDataDirs();

}  // namespace vantor
