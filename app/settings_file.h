// The update reminder's date store on disk: the program's one settings file,
// ~/.config/aromelle/aromelle.conf ($XDG_CONFIG_HOME/aromelle/aromelle.conf), holding
// [Settings] Duration=yyyy-MM-dd. The path is looked up at each call.
#pragma once

#include <QString>

#include <optional>

namespace aromelle {

// The stored date's text: empty when there is no plain file (or link to one), or
// when what stands there is not the program's file; nothing when there is no home
// to keep it in, or a file stands there that the user has made unreadable, which is
// then left alone.
std::optional<QString> storedDate();

// Writes only where a plain file the user may write stands, or nothing yet; false
// when the date could not be stored, the old file then left byte for byte.
bool storeDate(const QString &date);

} // namespace aromelle
