// The user's base folders, as the environment names them. Paths stay the bytes the
// environment gave, through to the system calls: a name that is not UTF-8 is the one
// the user chose, not a look-alike.
#pragma once

#include <QByteArray>

namespace aromelle {

// $HOME, or where the password database puts the user's home when HOME is not set;
// empty when neither is an absolute path.
QByteArray userHome();

// The base folder an XDG variable names (XDG_CONFIG_HOME, XDG_CACHE_HOME) when it is
// an absolute path, the base-directory rules ignoring a relative one; else the folder
// of that name in the home (".config", ".cache"); empty when there is no home.
QByteArray baseFolder(const char *variable, const char *inHome);

// The folder part of a path, as mkdir, open and fsync want it.
QByteArray folderOf(const QByteArray &path);

} // namespace aromelle
