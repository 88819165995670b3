#pragma once

#include <QString>

namespace zantor {

// Characters that steer a terminal instead of showing on it: the C0 controls but TAB,
// DEL and the C1 controls. A stored title holding ESC sequences would otherwise clear
// the screen or retitle the terminal of whoever lists the groups.
bool isControlCharacter(QChar c);
bool holdsControlCharacters(const QString& text);

// The text with every control character written out visibly: a line break (CR LF, LF or
// CR) as backslash-n, which the lists show as a line break, any other as \xHH. What an
// export writes of a stored text, so that the file's import takes it back.
QString visibleText(const QString& text);
// For a terminal: as visibleText(), but the line feeds of the program's own messages
// stay line feeds.
QString terminalText(const QString& text);

} // namespace zantor
