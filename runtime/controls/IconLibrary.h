#pragma once
// Icons and cursors by the names windows declare ("Add.ico", "~hand.cur"):
// the toolkit's standard icons for the names the program uses, an image file
// when one of that name exists, else none. GUI thread only.

#include <QCursor>
#include <QIcon>
#include <string>

namespace rt {

QIcon iconByName(const std::string& name);
// The standard cursors by name ("~hand.cur", "~wait.cur", ...); arrow else.
QCursor cursorByName(const std::string& name);

}  // namespace rt
